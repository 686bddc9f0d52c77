#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// Answers given on forms, one row per form, account and question. Rows
// (select *): FormID, AccountID, Updated, QuestionID, Answer. Updated 1 waits
// for upload.
class FormsFilled : public Query {
public:
    explicit FormsFilled(int poolKey = 0);

    int getOfAccount(int formId, int accountId);
    // The answer is raw text; it is trimmed and its apostrophes doubled here.
    int insertAnswer(int formId, int accountId, int questionId, const std::string& answer);
    int deleteAnswer(int formId, int accountId, int questionId);
    int getWaitingForUpload();
};

} // namespace zev
