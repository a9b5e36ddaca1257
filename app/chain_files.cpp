#include "app/chain_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

namespace tessel {
namespace {

const char* const kFolderSetting = "files/chainFolder";

}  // namespace

Document readChainDocument(const QString& path) {
  Document document{path.toStdString(), {}, std::nullopt};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    document.unreadable = file.errorString().toStdString();
    return document;
  }
  // One byte past the limit is enough to know the file is too large.
  const QByteArray bytes = file.read(static_cast<qint64>(kMostChainFileBytes) + 1);
  if (file.error() != QFileDevice::NoError) {
    document.unreadable = file.errorString().toStdString();
    return document;
  }
  document.bytes.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  return document;
}

std::optional<QString> writeChainDocument(const QString& path, const std::string& document) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(document.data(), static_cast<qint64>(document.size())) !=
          static_cast<qint64>(document.size()) ||
      !file.commit()) {
    return file.errorString();
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

}  // namespace tessel
