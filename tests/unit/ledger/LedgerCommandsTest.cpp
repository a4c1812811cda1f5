#include "apps/orvane/LedgerCommands.h"
#include "apps/orvane/ledger/Ledger.h"
#include "tests/unit/ledger/LedgerFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace orvane::cli {
namespace {

using LedgerCommandsTest = test::LedgerFolder;

struct Answer {
    int status;
    std::string out;
    std::string err;
};

Answer ask(Options options) {
    std::ostringstream out, err;
    const int status = runLedgerCommand(options, out, err, [](const std::string&) { return std::nullopt; });
    return {status, out.str(), err.str()};
}

TEST_F(LedgerCommandsTest, AnswersFromTheLedgerAndRefusesOneThatIsNotThere) {
    const std::string path = pathOf("ledger.db");
    {
        auto opened = ledger::Ledger::open(path);
        ASSERT_TRUE(opened.ledger) << opened.error;
        ledger::AttemptRow row;
        row.uuid = ledger::newUuid();
        row.serial = "00662316";
        row.station = "st-1";
        row.port = "COM5";
        row.reason = "no-response";
        row.failChannel = 2;
        row.labels = {{"lot", "7, blue"}};
        ASSERT_EQ(opened.ledger->append(row), "");
    }
    Options history;
    history.command = Command::History;
    history.serial = "00662316";
    history.ledgerFile = path;
    const Answer seen = ask(history);
    EXPECT_EQ(seen.status, 0);
    EXPECT_NE(seen.out.find("FAIL  no-response on channel 2\nnever passed\n"), std::string::npos) << seen.out;

    Options report;
    report.command = Command::Report;
    report.ledgerFile = path;
    report.by = "lot";
    report.csv = true;
    report.htmlFile = pathOf("report.html");
    const Answer figures = ask(report);
    EXPECT_EQ(figures.status, 0);
    // A label value with a comma stays one field.
    EXPECT_NE(figures.out.find("\r\n\"7, blue\",1,1,0,1,0,0.0000,0,0.0000,0,0.0000,1.0000,no-response:1\r\n"),
              std::string::npos)
        << figures.out;
    std::ifstream page(report.htmlFile);
    const std::string html((std::istreambuf_iterator<char>(page)), std::istreambuf_iterator<char>());
    EXPECT_NE(html.find("<svg"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("http://"), html.find("http://www.w3.org/2000/svg"));  // nothing fetched

    history.ledgerFile = pathOf("elsewhere.db");
    history.json = true;
    const Answer missing = ask(history);
    EXPECT_EQ(missing.status, 4);
    EXPECT_NE(missing.out.find("\"exit\":4"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(history.ledgerFile));
}

}  // namespace
}  // namespace orvane::cli
