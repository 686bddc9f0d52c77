#pragma once

#include <string>
#include <vector>

namespace zev::server {

// One decoded value of an upload. Composite values ("M1=a^b^c", "R2=...", "L3=...") are stored one
// part per field with the same name and parts numbered from 1; plain values have part 0.
struct UploadField {
    std::string name;
    int part = 0;
    std::string value;
};

// The ten upload pages, with the reply each caller takes for success.
struct UploadPage {
    const char* name;    // page name without ".cfm", as the program writes it
    const char* success; // reply for an upload that was stored
};

// The page of that name (compared without regard to case), or null.
const UploadPage* FindUploadPage(const std::string& name);
const std::vector<UploadPage>& UploadPages();

// Decodes an upload body by the page's replacement set. Returns false with a reason when the body
// is malformed or incomplete (a count that does not match its parts): the server then refuses it, so
// the program keeps the rows marked and sends them again.
bool DecodeUpload(const UploadPage& page, const std::string& body, std::vector<UploadField>& fields,
                  std::string& error);

} // namespace zev::server
