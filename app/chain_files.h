#pragma once

// Chain files on disk for the window: read whole for the session's loader,
// written through QSaveFile so that a failed save leaves any earlier file as
// it was.

#include <QString>
#include <optional>
#include <string>

#include "window/chain_documents.h"

namespace tessel {

// The file's bytes, as many as the loader needs, or why they could not be
// read in Qt's words.
Document readChainDocument(const QString& path);

// Writes `document` to `path`; Qt's reason instead when it cannot.
std::optional<QString> writeChainDocument(const QString& path, const std::string& document);

// Where the open and save dialogs start: the last folder used, else the
// example chains installed beside the program, else the home folder.
QString chainFolder();
void rememberChainFolder(const QString& path);

}  // namespace tessel
