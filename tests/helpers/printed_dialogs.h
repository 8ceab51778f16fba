#pragma once

#include "data/dialogs.h"

#include <cstdio>

// The message boxes of a helper program: each printed as "told <text>" on
// one line, every question answered Yes.
class PrintedDialogs final : public mervalis::DialogService {
public:
    Answer show(const QString& text, Icon, Buttons buttons, const QString&) override
    {
        std::printf("told %s\n", QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')).toUtf8().constData());
        std::fflush(stdout);
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
};
