#include "device/service/device_host.h"

#include <QProcess>
#include <QStringList>

namespace norva::device {

bool ProcessViewerLauncher::start(const std::string& program,
                                  const std::vector<std::string>& arguments) {
  QStringList words;
  for (const auto& argument : arguments) words << QString::fromStdString(argument);
  return QProcess::startDetached(QString::fromStdString(program), words);
}

}  // namespace norva::device
