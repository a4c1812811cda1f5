#include "tests/support/Fakes.h"

namespace orvane::test {

bool FakeFileDialog::show(Mode mode) {
    shown.push_back(mode);
    if (answers.empty()) return false;
    Answer answer = answers.front();
    answers.pop_front();
    if (!answer.fileName.empty() || answer.ok) m_fileName = answer.fileName;
    return answer.ok;
}

bool FakeMessageBox::askOkCancel(const std::string& text, const std::string& title) {
    asked.push_back({text, title});
    if (answers.empty()) return true;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace orvane::test
