#pragma once

#include "app/core/ZevConfig.h"

#include <string>

// The readable text form of the distributor settings record.
//
//   # comment
//   magic 0xABADAD00              (optional; this is the default)
//   format-version 3
//   list-layout-version 1
//   field NAME VALUE              named byte / 16-bit / 32-bit value
//   field NAME "text"             named text (at most its width - 1 bytes)
//   byte OFFSET VALUE             any single byte
//   title N "text"                screen title N (0..63)
//   order-option N "text"         order option slot N (0..11)
//   list NAME                     one of the 17 list names
//     column "Heading" width=W format=left|right|center|N order=O [flag=F]
//   end
//   raw OFFSET HEXBYTES           exact bytes, applied last (what no other line expresses)
//
// Names are those of app/core/ZevConfigFields.h; numbers are decimal or 0x hex.
// Texts take the escapes \" \\ \n \t and \xHH.
namespace zev::tools {

// Builds the record from `text`; false with `error` ("line N: ...") when the
// description is not valid. Nothing is guessed: unknown names, values out of
// range and texts too long for their field are errors.
[[nodiscard]] bool BuildRecord(const std::string& text, ZevConfig& record, std::string& error);

// Prints the record so that BuildRecord gives back exactly the same bytes.
std::string DumpRecord(const ZevConfig& record);

} // namespace zev::tools
