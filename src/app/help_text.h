// The user's guide as the help window shows it: its text with the line ends
// an edit control needs, and the search through it.
#pragma once
#include <cstddef>
#include <string>

// `size` bytes of plain text with every line ended by CR LF (a lone LF or a
// lone CR becomes CR LF, CR LF stays). At most `limit` bytes of the text are
// taken.
std::string GuideText(const char* text, size_t size, size_t limit);

// The first place of `what` in `text` found without regard to the case of
// ASCII letters, searching forward from `from` (or backward from just before
// it), around the end to the other side; -1 when it is nowhere or `what` is
// empty.
long FindInGuide(const std::string& text, const std::string& what, size_t from, bool forward);
