#pragma once

// Chain files on disk for the window: read whole, written through QSaveFile
// so that a failed save leaves any earlier file as it was. Every problem is
// one sentence that names the file.

#include <QString>
#include <optional>
#include <variant>

#include "chain/chain_file.h"

namespace tessel {

std::variant<Chain, QString> readChainFile(const QString& path);

// Writes the chain to `path`; the problem instead when it cannot.
std::optional<QString> writeChainFile(const QString& path, const Chain& chain);

// Where the open and save dialogs start: the last folder used, else the
// example chains installed beside the program, else the home folder.
QString chainFolder();
void rememberChainFolder(const QString& path);

// `path` with the chain files' extension, unless it has an extension.
QString withChainExtension(const QString& path);

}  // namespace tessel
