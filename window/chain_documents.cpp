#include "window/chain_documents.h"

#include "toolkit/quoted_text.h"
#include "toolkit/text.h"

namespace tessel {

std::string fileNameOf(std::string_view path) {
  const std::size_t slash = path.find_last_of('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::variant<Chain, std::string> loadChain(const Document& document) {
  const auto cannot = [&](const std::string& problem) {
    return fill(_("Cannot open {file}: {problem}"),
                {{"file", quotedForDisplay(fileNameOf(document.name))}, {"problem", problem}});
  };
  if (document.unreadable) {
    return cannot(document.unreadable->empty() ? _("it cannot be read.")
                                               : fill(_("it cannot be read ({reason})."),
                                                      {{"reason", *document.unreadable}}));
  }
  auto chain = readChain(document.bytes);
  if (const auto* problem = std::get_if<std::string>(&chain)) return cannot(*problem);
  return chain;
}

std::string openingProblems(const std::vector<std::string>& problems) {
  if (problems.size() <= 1) return problems.empty() ? std::string() : problems.front();
  const std::size_t more = problems.size() - 1;
  return fill(_n("{problem} ({count} more files could not be opened either.)",
                 "{problem} ({count} more files could not be opened either.)", more),
              {{"problem", problems.front()}, {"count", std::to_string(more)}});
}

std::string withChainExtension(std::string_view path) {
  const std::string name = fileNameOf(path);
  const std::size_t dot = name.find_last_of('.');
  if (dot != std::string::npos && dot + 1 < name.size()) return std::string(path);
  return std::string(path) + std::string(kChainFileExtension);
}

std::string savedMessage(std::string_view path) {
  return fill(_("Saved the chain as {file}."), {{"file", quotedForDisplay(fileNameOf(path))}});
}

std::string cannotSaveMessage(std::string_view path, std::string_view reason) {
  return fill(_("Cannot save {file}: {reason}."),
              {{"file", quotedForDisplay(fileNameOf(path))}, {"reason", std::string(reason)}});
}

}  // namespace tessel
