#pragma once

// Chain files as every front-end hands them over: a name and the bytes read,
// or why they could not be read. One loader turns them into a chain or into
// the one sentence that says why not, naming the file by its own name
// however deep in folders it lies; and the sentences for saving one.

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "chain/chain_file.h"

namespace tessel {

struct Document {
  std::string name;   // the file's name, or its path: only its last part is shown
  std::string bytes;  // a reader need not read more than kMostChainFileBytes + 1
  // Why the bytes could not be read, in the platform's words ("" when it
  // gives none); none when they were read.
  std::optional<std::string> unreadable;
};

// The last part of a path: the file's own name.
std::string fileNameOf(std::string_view path);

// The chain a document holds, or "Cannot open "name": why."
std::variant<Chain, std::string> loadChain(const Document& document);

// The strip's one message for the files of one opening that could not be
// opened: the first file's problem, and how many more there were.
std::string openingProblems(const std::vector<std::string>& problems);

// `path` with the chain files' extension, unless its name has an extension.
std::string withChainExtension(std::string_view path);

// "Saved the chain as "name"." and "Cannot save "name": why.", by the
// file's own name.
std::string savedMessage(std::string_view path);
std::string cannotSaveMessage(std::string_view path, std::string_view reason);

}  // namespace tessel
