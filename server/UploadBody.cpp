#include "server/UploadBody.h"

#include "server/FormBody.h"

#include <set>
#include <strings.h>

namespace zev::server {

namespace {

using EscapeSet = std::vector<std::pair<std::string, std::string>>;

void AddComposite(std::vector<UploadField>& fields, const std::string& name, const std::vector<std::string>& parts)
{
    for (size_t i = 0; i < parts.size(); ++i)
        fields.push_back({name, static_cast<int>(i + 1), parts[i]});
}

// "n" after a one-letter prefix ("R3" -> 3), or -1.
long long Numbered(const std::string& name, const std::string& prefix)
{
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return -1;
    auto n = ParseInteger(name.substr(prefix.size()));
    return n && *n >= 1 ? *n : -1;
}

bool CheckCount(const std::vector<FormField>& raw, const std::string& countName, size_t actual, bool minusOneIsNone,
                std::string& error)
{
    auto count = FindField(raw, countName);
    if (!count) {
        error = "no " + countName;
        return false;
    }
    auto n = ParseInteger(*count);
    if (!n) {
        error = "bad " + countName;
        return false;
    }
    long long expected = (minusOneIsNone && *n == -1) ? 0 : *n;
    if (expected != static_cast<long long>(actual)) {
        error = countName + "=" + std::to_string(*n) + " but " + std::to_string(actual) + " parts arrived";
        return false;
    }
    return true;
}

// Plain pages: every field decoded with one set, except the names listed as sent unchanged.
void DecodePlain(const std::vector<FormField>& raw, const EscapeSet& set, const std::set<std::string>& unchanged,
                 std::vector<UploadField>& fields)
{
    for (const FormField& f : raw) {
        bool keep = unchanged.count(f.name) > 0;
        fields.push_back({f.name, 0, keep ? f.value : Unescape(f.value, set)});
    }
}

bool Require(const std::vector<FormField>& raw, const std::vector<std::string>& names, std::string& error)
{
    for (const std::string& name : names) {
        if (!FindField(raw, name)) {
            error = "no " + name;
            return false;
        }
    }
    return true;
}

bool DecodeMessages(const std::vector<FormField>& raw, std::vector<UploadField>& fields, std::string& error)
{
    size_t messages = 0;
    for (const FormField& f : raw) {
        if (Numbered(f.name, "M") > 0) {
            std::vector<std::string> parts = SplitAt(f.value, '^');
            // MessageID^ToID^ToStatus^FromID^FromStatus^Subject^Message
            if (parts.size() != 7) {
                error = f.name + " has " + std::to_string(parts.size()) + " parts";
                return false;
            }
            for (size_t i = 5; i < 7; ++i)
                parts[i] = Unescape(parts[i], EscapeSetC());
            AddComposite(fields, f.name, parts);
            ++messages;
        } else {
            fields.push_back({f.name, 0, f.value});
        }
    }
    return CheckCount(raw, "T", messages, false, error);
}

bool DecodeSurveys(const std::vector<FormField>& raw, std::vector<UploadField>& fields, std::string& error)
{
    if (!Require(raw, {"A", "B", "C"}, error))
        return false;
    size_t answers = 0;
    for (const FormField& f : raw) {
        if (Numbered(f.name, "R") > 0) {
            std::vector<std::string> parts = SplitAt(f.value, '^');
            if (parts.size() != 4) {
                error = f.name + " has " + std::to_string(parts.size()) + " parts";
                return false;
            }
            // An empty answer or comment travels as one blank.
            for (size_t i = 2; i < 4; ++i)
                parts[i] = parts[i] == " " ? std::string() : Unescape(parts[i], EscapeSetB());
            AddComposite(fields, f.name, parts);
            ++answers;
        } else {
            fields.push_back({f.name, 0, f.value});
        }
    }
    return CheckCount(raw, "T", answers, false, error);
}

bool DecodeInvoices(const std::vector<FormField>& raw, std::vector<UploadField>& fields, std::string& error)
{
    std::set<long long> rows;
    for (const FormField& f : raw) {
        bool coded = Numbered(f.name, "B") > 0 || Numbered(f.name, "E") > 0 || Numbered(f.name, "F") > 0 ||
                     Numbered(f.name, "G") > 0;
        fields.push_back({f.name, 0, coded ? Unescape(f.value, EscapeSetD()) : f.value});
        if (Numbered(f.name, "A") > 0)
            rows.insert(Numbered(f.name, "A"));
    }
    return CheckCount(raw, "total", rows.size(), false, error);
}

bool DecodeImports(const std::vector<FormField>& raw, std::vector<UploadField>& fields, std::string& error)
{
    size_t lines = 0;
    for (const FormField& f : raw) {
        if (Numbered(f.name, "L") > 0) {
            std::vector<std::string> parts = SplitAt(f.value, '^');
            if (parts.size() != 9) {
                error = f.name + " has " + std::to_string(parts.size()) + " parts";
                return false;
            }
            AddComposite(fields, f.name, parts);
            ++lines;
        } else {
            fields.push_back({f.name, 0, f.value});
        }
    }
    return CheckCount(raw, "N", lines, false, error);
}

bool DecodeGuide(const std::vector<FormField>& raw, std::vector<UploadField>& fields, std::string& error)
{
    if (!Require(raw, {"A", "B"}, error))
        return false;
    size_t lines = 0;
    for (const FormField& f : raw) {
        bool flag = Numbered(f.name, "L") > 0;
        fields.push_back({f.name, 0, flag ? Unescape(f.value, EscapeSetA()) : f.value});
        if (Numbered(f.name, "C") > 0)
            ++lines;
    }
    return CheckCount(raw, "N", lines, true, error);
}

bool DecodeForms(const std::vector<FormField>& raw, std::vector<UploadField>& fields, std::string& error)
{
    // The form body puts a blank before each "&": names and numbers are trimmed, the answer keeps its text.
    std::vector<FormField> trimmed;
    for (const FormField& f : raw) {
        std::string name = TrimBlanks(f.name);
        std::string value = name == "Answer" ? Unescape(f.value, EscapeSetE()) : TrimBlanks(f.value);
        trimmed.push_back({name, value});
    }
    if (!Require(trimmed, {"FormID", "AccountID", "QuestionID"}, error))
        return false;
    for (const FormField& f : trimmed)
        fields.push_back({f.name, 0, f.value});
    return true;
}

const std::vector<UploadPage> kPages{
    {"updateIssues", "1"},
    {"updateNotes", "SUCCESS"},
    {"UpdateWo", "SUCCESS"},
    {"updateAccounts", "1"},
    {"UpdateMessages", "SUCCESS"},
    {"newAccounts", "1"},
    {"takeSurveys", "1"},
    {"updateInvoice", "1"},
    {"updateInvImportInfo", "SUCCESS"},
    {"UpdateFormsFilled", "SUCCESS"},
};

} // namespace

const std::vector<UploadPage>& UploadPages() { return kPages; }

const UploadPage* FindUploadPage(const std::string& name)
{
    for (const UploadPage& page : kPages)
        if (strcasecmp(page.name, name.c_str()) == 0)
            return &page;
    return nullptr;
}

bool DecodeUpload(const UploadPage& page, const std::string& body, std::vector<UploadField>& fields, std::string& error)
{
    fields.clear();
    std::vector<FormField> raw = SplitForm(body);
    std::string name = page.name;
    if (name == "updateIssues") {
        DecodePlain(raw, EscapeSetA(), {"AccountID", "WantResponse"}, fields);
        return Require(raw, {"AccountID"}, error);
    }
    if (name == "updateNotes") {
        DecodePlain(raw, EscapeSetA(), {"AccountID", "DateEntered", "UpdatedFlag"}, fields);
        return Require(raw, {"AccountID", "DateEntered"}, error);
    }
    if (name == "updateAccounts") {
        DecodePlain(raw, EscapeSetA(),
                    {"AccountID", "ApptDays", "ApptTime1", "ApptTime2", "ApptTime3", "ApptTime4", "ApptTime5",
                     "ApptTime6", "ApptTime7"},
                    fields);
        return Require(raw, {"AccountID"}, error);
    }
    if (name == "newAccounts") {
        DecodePlain(raw, EscapeSetA(), {"AccountType"}, fields);
        return Require(raw, {"AccountType"}, error);
    }
    if (name == "UpdateWo")
        return DecodeGuide(raw, fields, error);
    if (name == "UpdateMessages")
        return DecodeMessages(raw, fields, error);
    if (name == "takeSurveys")
        return DecodeSurveys(raw, fields, error);
    if (name == "updateInvoice")
        return DecodeInvoices(raw, fields, error);
    if (name == "updateInvImportInfo")
        return DecodeImports(raw, fields, error);
    if (name == "UpdateFormsFilled")
        return DecodeForms(raw, fields, error);
    error = "unknown page";
    return false;
}

} // namespace zev::server
