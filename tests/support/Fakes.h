#pragma once

#include "core/platform/IAppInfo.h"
#include "core/platform/IClock.h"
#include "core/platform/IFileDialog.h"
#include "core/platform/IMessageBox.h"
#include "core/platform/IScreen.h"

#include <deque>
#include <string>
#include <vector>

namespace orvane::test {

// A file dialog that answers from a script: each show() takes the next answer.
class FakeFileDialog : public IFileDialog {
public:
    struct Answer {
        bool ok;
        std::string fileName;  // becomes the dialog's file name (kept on cancel when empty)
    };
    std::deque<Answer> answers;
    std::string filter;
    std::string initialFolder;
    std::vector<Mode> shown;

    void setFilter(const std::string& f) override { filter = f; }
    void setInitialFolder(const std::string& folder) override { initialFolder = folder; }
    bool show(Mode mode) override;
    std::string fileName() const override { return m_fileName; }

private:
    std::string m_fileName;
};

// A message box that answers from a script (OK when the script is empty) and records questions.
class FakeMessageBox : public IMessageBox {
public:
    struct Question {
        std::string text;
        std::string title;
    };
    std::deque<bool> answers;
    std::vector<Question> asked;

    bool askOkCancel(const std::string& text, const std::string& title) override;
};

class FakeAppInfo : public IAppInfo {
public:
    std::string folder = "/nonexistent";
    std::string baseName = "Quorvex";
    char separator = '.';

    int versionMajor() const override { return 1; }
    int versionMinor() const override { return 5; }
    int versionRevision() const override { return 2; }
    std::string programFolder() const override { return folder; }
    std::string exeBaseName() const override { return baseName; }
    char decimalSeparator() const override { return separator; }
};

// A 1920 x 1080 pixel screen at 96 dpi.
class FakeScreen : public IScreen {
public:
    int width = 1920 * 15;
    int height = 1080 * 15;
    int widthTwips() const override { return width; }
    int heightTwips() const override { return height; }
};

class FakeClock : public IClock {
public:
    std::string date = "2026/12/07";
    std::string time = "10:20:30";
    std::string shortDate() const override { return date; }
    std::string timeOfDay() const override { return time; }
};

}  // namespace orvane::test
