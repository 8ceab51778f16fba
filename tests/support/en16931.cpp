#include "support/en16931.h"

#include <QFileInfo>
#include <QProcess>

#include <memory>
#include <vector>

namespace mervalis::test {

QString en16931Validator(QString* why)
{
    const QString named = qEnvironmentVariable("EN16931_VALIDATE");
    const QString script = named.isEmpty() ? QStringLiteral(MERVALIS_SOURCE_DIR "/../shared/en16931/validate") : named;
    if (QFileInfo(script).isExecutable()) return script;
    *why = QStringLiteral("the EN 16931 artefacts are not there (%1): a checkout without ../shared has none, and "
                          "EN16931_VALIDATE names none")
               .arg(script);
    return {};
}

QStringList failingEn16931(const QString& validator, const QStringList& files)
{
    // The check starts Java for each file, about two seconds: they run at
    // once, and Java compiles less of a run this short.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("JAVA_TOOL_OPTIONS"), QStringLiteral("-XX:TieredStopAtLevel=1 -XX:+UseSerialGC"));
    std::vector<std::unique_ptr<QProcess>> runs;
    for (const QString& file : files) {
        runs.push_back(std::make_unique<QProcess>());
        runs.back()->setProcessEnvironment(environment);
        runs.back()->setProcessChannelMode(QProcess::MergedChannels);
        runs.back()->start(validator, {file});
    }
    QStringList failing;
    for (size_t i = 0; i < runs.size(); ++i) {
        QProcess& run = *runs[i];
        if (!run.waitForFinished(120000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
            failing << files[static_cast<qsizetype>(i)] + QStringLiteral(":\n") + QString::fromUtf8(run.readAll());
        }
    }
    return failing;
}

}  // namespace mervalis::test
