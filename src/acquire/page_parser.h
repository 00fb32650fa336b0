#pragma once

#include <string>
#include <string_view>

#include "core/dates.h"
#include "core/draw_archive.h"

namespace vetrilo {

// Marker search in page text (8-bit bytes as the page came, code page 1251),
// ignoring letter case. The piece between the first start marker and the first
// end marker after it, trimmed of blanks and dequoted. Empty when the start
// marker is absent. Start marker without an end marker: mode 0 throws the
// marker error, mode 2 takes the rest of the text, any other mode gives empty.
std::string ExtractBetween(std::string_view text, std::string_view startMarker,
                           std::string_view endMarker, int mode);
// The same; the text loses everything from its beginning through the end
// marker (through its end when mode 2 took the rest).
std::string ExtractNext(std::string& text, std::string_view startMarker, std::string_view endMarker,
                        int mode);

// The marker error quotes at most this many characters of the text.
constexpr size_t kMarkerErrorQuoteChars = 500;

// Path and query of the result search for a window of dates.
std::string ResultsQuery(TDateKey first, TDateKey last);
// The result site's address (trailing "/" dropped) followed by the query.
std::string ResultsAddress(std::string_view site, TDateKey first, TDateKey last);

// The draws a result page adds to the archive, in page order, numbered after
// the newest stored draw. Rows dated as one of the 4 newest stored draws and
// rows without four "-"-separated numbers are skipped. A page without the
// results section gives none; a section or row without its closing marker
// throws the marker error.
TDrawsArray ParseResultsPage(std::string_view page, const TDrawArchive& archive);

}  // namespace vetrilo
