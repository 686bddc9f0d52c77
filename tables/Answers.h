#pragma once

#include "tabula/Query.h"

#include <string>

namespace zev {

// Answers of the surveys taken. Rows (select *): DoneID, QuestionID, Type,
// Answer, Comment. Text arguments are raw; they are trimmed and their
// apostrophes doubled here.
class Answers : public Query {
public:
    explicit Answers(int poolKey = 0);

    int getOfDone(int doneId);
    int getAnswer(int doneId, int questionId);
    int updateAnswer(int doneId, int questionId, const std::string& answer, const std::string& comment);
    int insertAnswer(int doneId, int questionId, int type, const std::string& answer, const std::string& comment);
    int deleteOfDone(int doneId);
};

} // namespace zev
