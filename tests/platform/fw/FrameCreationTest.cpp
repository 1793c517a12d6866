// A frame whose window is not made, whichever way its creation fails, is
// deleted once, as a destroyed frame is, and the application lets go of it:
// the creator and the framework never touch the object again. Under the
// sanitizers a write to the deleted frame is a failure of its own.

#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

#include "platform/fw/CFrameWnd.h"
#include "platform/fw/CWinApp.h"

#include <ostream>

namespace {

enum class Failure {
    PreCreateRefuses,        // PreCreateWindow answers false: no window at all
    CreateRefuses,           // OnCreate makes its pane, then answers -1
    CreateDestroysItself,    // OnCreate destroys its own window and answers 0
};

struct FailureCase {
    const char* name;
    Failure failure;
};

std::ostream& operator<<(std::ostream& os, const FailureCase& c) { return os << c.name; }

class CFailingFrame : public CFrameWnd {
public:
    CFailingFrame(Failure failure, int* pnDeleted) : m_failure(failure), m_pnDeleted(pnDeleted) {}
    ~CFailingFrame() override { ++*m_pnDeleted; }
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    bool PreCreateWindow(CREATESTRUCT& cs) override
    {
        return m_failure != Failure::PreCreateRefuses && CFrameWnd::PreCreateWindow(cs);
    }

    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    int OnCreate(CREATESTRUCT* cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        if (!m_wndPane.CreateChild(this, {0, 0, 240, 320}, 0, WS_VISIBLE, AFX_IDW_PANE_FIRST))
            return -1;
        if (m_failure == Failure::CreateDestroysItself) {
            DestroyWindow();
            return 0;
        }
        return -1;
    }

    Failure m_failure;
    int* m_pnDeleted;
    CRecordingWnd m_wndPane;
};
constexpr MessageEntry CFailingFrame::s_entries[] = {OnCreateEntry<&CFailingFrame::OnCreate>()};
constexpr MessageTable CFailingFrame::s_messageTable{&CFrameWnd::s_messageTable, s_entries};

class FrameCreation : public CHeadlessTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(FrameCreation, FailedFrameIsDeletedOnceAndLetGoOf)
{
    CWinApp app;
    int deleted = 0;
    auto* frame = new CFailingFrame(GetParam().failure, &deleted);
    app.m_pMainWnd = frame;
    EXPECT_FALSE(frame->LoadFrame(1));
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_TRUE(GetChildren(nullptr).empty()) << "a window of the failed frame is left";
}

INSTANTIATE_TEST_SUITE_P(Ways, FrameCreation,
                         ::testing::Values(FailureCase{"PreCreateWindowRefuses", Failure::PreCreateRefuses},
                                           FailureCase{"OnCreateRefuses", Failure::CreateRefuses},
                                           FailureCase{"OnCreateDestroysTheWindow", Failure::CreateDestroysItself}),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
