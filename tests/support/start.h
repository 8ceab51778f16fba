#pragma once

#include "app/form1.h"
#include "app/form3.h"
#include "app/form4.h"
#include "support/test_env.h"

namespace mervalis::test {

// One start of the program: the splash window's loading, and the windows it
// opened closed again at the end.
struct Start {
    explicit Start(TestLedger& l) : form3(*l.context) { form3.Form_Load(); }
    ~Start()
    {
        delete form3.helpOffer();
        delete form3.mainWindow();
    }
    Start(const Start&) = delete;
    Start& operator=(const Start&) = delete;
    Form3 form3;
};

}  // namespace mervalis::test
