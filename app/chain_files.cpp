#include "app/chain_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include "toolkit/quoted_text.h"

namespace tessel {
namespace {

const char* const kFolderSetting = "files/chainFolder";

QString shownName(const QString& path) {
  return QString::fromStdString(quotedForDisplay(QFileInfo(path).fileName().toStdString()));
}

}  // namespace

std::variant<Chain, QString> readChainFile(const QString& path) {
  const QString cannot = QStringLiteral("Cannot open %1: ").arg(shownName(path));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return cannot + QStringLiteral("it cannot be read (%1).").arg(file.errorString());
  }
  // One byte past the limit is enough to know the file is too large.
  const QByteArray bytes = file.read(static_cast<qint64>(kMostChainFileBytes) + 1);
  if (file.error() != QFileDevice::NoError) {
    return cannot + QStringLiteral("it cannot be read (%1).").arg(file.errorString());
  }
  auto chain =
      readChain(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (const auto* problem = std::get_if<std::string>(&chain)) {
    return cannot + QString::fromStdString(*problem);
  }
  return std::get<Chain>(std::move(chain));
}

std::optional<QString> writeChainFile(const QString& path, const Chain& chain) {
  QSaveFile file(path);
  const std::string document = writeChain(chain);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(document.data(), static_cast<qint64>(document.size())) !=
          static_cast<qint64>(document.size()) ||
      !file.commit()) {
    return QStringLiteral("Cannot save %1: %2.").arg(shownName(path), file.errorString());
  }
  return std::nullopt;
}

QString chainFolder() {
  const QString remembered = QSettings().value(QString::fromLatin1(kFolderSetting)).toString();
  if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
  // Installed as bin/tessel-demo beside share/tessel-demo/chains.
  const QString examples = QDir(QCoreApplication::applicationDirPath())
                               .absoluteFilePath(QStringLiteral("../share/tessel-demo/chains"));
  if (QFileInfo(examples).isDir()) return QDir::cleanPath(examples);
  return QDir::homePath();
}

void rememberChainFolder(const QString& path) {
  QSettings().setValue(QString::fromLatin1(kFolderSetting), QFileInfo(path).absolutePath());
}

QString withChainExtension(const QString& path) {
  if (!QFileInfo(path).suffix().isEmpty()) return path;
  return path + QString::fromUtf8(kChainFileExtension.data(),
                                  static_cast<qsizetype>(kChainFileExtension.size()));
}

}  // namespace tessel
