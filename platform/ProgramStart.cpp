#include "platform/ProgramStart.h"

#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QStandardPaths>

namespace {

QString ToQ(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

void StartProgram(std::string_view programName, std::string_view version, std::string_view kind) {
  QCoreApplication::setApplicationName(ToQ(programName));
  QCoreApplication::setApplicationVersion(ToQ(version));
  const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                             QStringLiteral("/marvessa/") + ToQ(kind);
  SetProgramFolder(ResolveProgramFolder(ExecutableFolder(), userFolder.toStdString()));
}
