#include "tools/modsim/core/Rig.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::modsim {
namespace {

const std::string kTxValues = "42,95,5A,01,02,03,04,05,06,07,08,FF";
const std::string kZeros = "00,00,00,00,00,00,00,00,00,00,00,00";

// The events as "on 0A0001@0 off 0A0001@5900".
std::string eventText(const std::vector<RigEvent>& events) {
    std::string text;
    for (const RigEvent& event : events) {
        if (!text.empty()) text += ' ';
        text += (event.on ? "on " : "off ") + serialText(event.serial) + "@" + std::to_string(event.atMs);
    }
    return text;
}

TEST(RigTest, ModulesComeAndGoInVirtualTime) {
    SimConfig config;
    config.type = 'T';
    SimFaults wrongType;
    wrongType.wrongType = true;
    Rig rig(config, {{0x0A0001, {}}, {0xB2, wrongType}}, 3000, 500, 0);

    struct Step {
        std::int64_t atMs;
        std::string bytes;
        std::string reply;
        std::string events;
        std::int64_t nextMs;  // -1: nothing due
    };
    const std::vector<Step> steps = {
        // The first module is on from the start; its hold starts with its first command.
        {0, "\x80/D\r", "*D 0A0001 2024/05/17 FO=00\r", "on 0A0001@0", 3000},
        {100, "/M 01,02,03\r", "*M 01,02,03\r", "", 3000},
        // The first "/W" starts the hold again, a later one does not.
        {2000, "/T " + kTxValues + "\r/W 00\r", "*T  " + kTxValues + "\r*W 00 " + kTxValues + "\r", "", 5000},
        {4999, "/W 01\r", "*W 01 " + kTxValues + "\r", "", 5000},
        // Taken off at its due time, however late the next byte comes; the gap counts from then.
        {5050, "/V\r", "", "off 0A0001@5000", 5500},
        {5499, "\x80/V\r", "", "", 5500},
        // The next module is fresh, with its own serial number and faults.
        {5500, "/M\r", "*M 0A,26,C8\r", "on 0000B2@5500", 8500},
        {5600, "/V\r/R 00\r", "*V R1.02 ORVANE-MOD\r*R 00 " + kZeros + "\r", "", 8500},
        // Never written: off a hold after its first command; after the last module the rig
        // stays empty.
        {8499, "/D\r", "*D 0000B2 2024/05/17 FO=00\r", "", 8500},
        {8500, "/D\r", "", "off 0000B2@8500", -1},
        {60000, "/D\r", "", "", -1},
    };
    for (const Step& step : steps) {
        const RigOutput out = rig.feed(step.bytes, step.atMs);
        EXPECT_EQ(out.reply.bytes(), step.reply) << step.atMs;
        EXPECT_EQ(eventText(out.events), step.events) << step.atMs;
        EXPECT_EQ(rig.nextEventMs().value_or(-1), step.nextMs) << step.atMs;
    }
    EXPECT_EQ(rig.moduleOn(), nullptr);
    ASSERT_EQ(rig.placed().size(), 2u);
    EXPECT_EQ(rigDumpLine(rig.placed()[0]), "module 0A0001 writes 1,1,0,0 slots " + kTxValues + ";" +
                                                kTxValues + ";" + kZeros + ";" + kZeros);
}

TEST(RigTest, ModuleNobodySpeaksToStaysOn) {
    Rig rig(SimConfig{}, {{1, {}}, {2, {}}}, 10, 0, 0);
    EXPECT_EQ(eventText(rig.advance(1000000).events), "on 000001@0");
    EXPECT_EQ(rig.nextEventMs(), std::nullopt);
    // With no gap the next module goes on the moment the first is taken off.
    rig.feed("/V\r", 1000000);
    EXPECT_EQ(eventText(rig.advance(1000010).events), "off 000001@1000010 on 000002@1000010");
}

// A module that leaves after "/D" hands the rest of the same bytes, and everything after, to the
// next one at once: the swap of a unit in the middle of a write.
TEST(RigTest, ModuleLeavingAfterACommandHandsTheRestToTheNext) {
    SimFaults leaves;
    leaves.leaveAfter = "/D";
    Rig rig(SimConfig{}, {{1, leaves}, {2, {}}}, 3000, 500, 0);
    const RigOutput out = rig.feed("/D\r/D\r", 100);
    EXPECT_EQ(out.reply.bytes(), "*D 000001 2024/05/17 FO=00\r*D 000002 2024/05/17 FO=00\r");
    EXPECT_EQ(eventText(out.events), "on 000001@0 off 000001@100 on 000002@100");
}

}  // namespace
}  // namespace orvane::modsim
