// The page template of writeHtml() (html.hpp): page.html beside this file,
// built into the program as bytes (see scripts/embed_file.cmake).

#ifndef TESMO_RENDER_PAGE_HTML_HPP
#define TESMO_RENDER_PAGE_HTML_HPP

#include <cstddef>

namespace tesmo {

extern const unsigned char kPageHtml[];
extern const std::size_t kPageHtmlSize;

}  // namespace tesmo

#endif  // TESMO_RENDER_PAGE_HTML_HPP
