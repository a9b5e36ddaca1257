// Prints what the page reads once, {"texts": ..., "layout": ...}, for the
// script that writes the page.

#include <cstdio>
#include <string>

#include "web/page_data.h"

int main() {
  const std::string data =
      "{\"texts\": " + tessel::pageTexts() + ", \"layout\": " + tessel::pageLayout() + "}";
  std::puts(data.c_str());
  return 0;
}
