// corvane-solve's command line: its answers, one deal or many, and the one
// line and status 2 for anything it cannot take.
#include "solver/CSolveCommand.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct COutput {
    int m_nStatus;
    std::string m_strOut;
    std::string m_strErr;
};

COutput RunCommand(const std::vector<std::string>& aArg)
{
    std::ostringstream out, err;
    const int nStatus = CSolveCommand::Run(aArg, out, err);
    return {nStatus, out.str(), err.str()};
}

const std::regex kAnswer("(won in [0-9]+ moves|cannot be won|unknown after [0-9]+ positions)");

TEST(SolveCommand, BadArgumentsGiveOneLineAndStatus2)
{
    const std::vector<std::vector<std::string>> aCase = {
        {},
        {"soon"},
        {"-5"},
        {"12x"},
        {"99999999999999999999"},
        {"1767225600", "0"},
        {"1767225600", "many"},
        {"1767225600", "2", "3"},
        {"9223372036854775807", "2"},
        {"--budget"},
        {"--budget", "0", "1767225600"},
        {"--budget", "lots", "1767225600"},
        {"--jobs", "0", "1767225600", "2"},
        {"--fast", "1767225600"},
        {"--taps", "1767225600", "3"},
    };
    for (const auto& aArg : aCase) {
        std::string strArgs;
        for (const std::string& str : aArg)
            strArgs += " '" + str + "'";
        SCOPED_TRACE(strArgs);
        const COutput output = RunCommand(aArg);
        EXPECT_EQ(output.m_nStatus, CSolveCommand::STATUS_USAGE);
        EXPECT_EQ(output.m_strOut, "");
        ASSERT_FALSE(output.m_strErr.empty());
        EXPECT_EQ(output.m_strErr.find('\n'), output.m_strErr.size() - 1) << output.m_strErr;
        EXPECT_EQ(output.m_strErr.rfind("corvane-solve: ", 0), 0u) << output.m_strErr;
    }
}

TEST(SolveCommand, HelpSaysHowToUseIt)
{
    const COutput output = RunCommand({"--help"});
    EXPECT_EQ(output.m_nStatus, 0);
    EXPECT_EQ(output.m_strOut.rfind("Usage: corvane-solve", 0), 0u);
    for (const char* pszOption : {"--taps", "--budget", "--jobs", "--stats"})
        EXPECT_NE(output.m_strOut.find(pszOption), std::string::npos) << pszOption;
}

// Many seconds at once, over two threads, answer each as it is answered
// alone, in order, with a summary that adds them up.
TEST(SolveCommand, ManySecondsAnswerAsEachAlone)
{
    const std::int64_t nFirst = 1767225600;
    const int nCount = 5;
    const COutput many = RunCommand({"--budget", "3000", "--jobs", "2", std::to_string(nFirst), std::to_string(nCount)});
    ASSERT_EQ(many.m_nStatus, 0) << many.m_strErr;
    std::istringstream in(many.m_strOut);
    std::string strLine;
    int anOutcome[3] = {0, 0, 0};
    for (int i = 0; i < nCount; ++i) {
        ASSERT_TRUE(std::getline(in, strLine));
        const std::string strSecond = std::to_string(nFirst + i);
        ASSERT_EQ(strLine.rfind(strSecond + " ", 0), 0u) << strLine;
        const std::string strAnswer = strLine.substr(strSecond.size() + 1);
        EXPECT_TRUE(std::regex_match(strAnswer, kAnswer)) << strLine;
        const COutput one = RunCommand({"--budget", "3000", strSecond});
        EXPECT_EQ(one.m_nStatus, 0);
        EXPECT_EQ(one.m_strOut, strAnswer + "\n");
        ++anOutcome[strAnswer.rfind("won", 0) == 0 ? 0 : strAnswer.rfind("cannot", 0) == 0 ? 1 : 2];
    }
    ASSERT_TRUE(std::getline(in, strLine));
    EXPECT_EQ(strLine, std::to_string(nCount) + " deals: " + std::to_string(anOutcome[0]) + " won, "
                           + std::to_string(anOutcome[1]) + " cannot be won, " + std::to_string(anOutcome[2])
                           + " unknown");
    EXPECT_FALSE(std::getline(in, strLine));
}

TEST(SolveCommand, StatsAddPositionsAndTime)
{
    const COutput output = RunCommand({"--stats", "--budget", "50", "1767225600"});
    EXPECT_EQ(output.m_nStatus, 0);
    EXPECT_TRUE(std::regex_match(output.m_strOut,
                                 std::regex("unknown after 50 positions \\(50 positions, [0-9]+\\.[0-9] ms\\)\n")))
        << output.m_strOut;
}

}  // namespace
