#pragma once

#include "support/test_env.h"

namespace mervalis::test {

// Every figure list of the analyses and lists that read the figures the
// database keeps, compared with the same figures computed straight from the
// sales; a mismatch fails the test naming `after`, the analysis and the
// figure. `entity` is a name the entity figures are asked for.
void expectKeptFiguresRight(const TestEnvironment& env, const QString& after,
                            const QString& entity = QStringLiteral("ANN"));

}  // namespace mervalis::test
