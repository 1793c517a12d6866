#include "tests/platform/support/CHeadlessTest.h"

#include "platform/fw/CWinApp.h"
#include "platform/win/CScriptExhausted.h"
#include "tools/png/PngWriter.h"

#include <cstdio>

std::string ColourName(COLORREF colour)
{
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

void CHeadlessTest::SetUp() { WsStartup(&m_backend); }

void CHeadlessTest::TearDown()
{
    if (HasFailure() && !m_bScreenSaved) {
        const std::string path = SaveScreen();
        if (!path.empty())
            ADD_FAILURE() << "the screen at the end of the failed test is in " << path;
    }
    WsSetDispatchHook(nullptr);
    // Windows a test left standing go now, so that frames free themselves.
    for (HWND top : GetChildren(nullptr))
        if (IsWindow(top))
            DestroyWindow(top);
    WsShutdown();
}

std::optional<int> CHeadlessTest::RunUntilScriptDone()
{
    return RunUntilScriptDone([] {
        if (CWinApp* app = AfxGetApp())
            return app->Run();
        MSG msg;
        while (GetMessage(&msg))
            DispatchMessage(msg);
        return static_cast<int>(msg.wParam);
    });
}

std::optional<int> CHeadlessTest::RunUntilScriptDone(const std::function<int()>& loop)
{
    try {
        return loop();
    } catch (const CScriptExhausted& e) {
        if (e.Depth() != 0)
            throw;
        return std::nullopt;
    }
}

Pixel CHeadlessTest::ScreenPixel(CPoint pt)
{
    WsFlush();
    return m_backend.Framebuffer().At(pt.x, pt.y);
}

::testing::AssertionResult CHeadlessTest::ScreenPixelIs(CPoint pt, COLORREF colour)
{
    return ScreenRectIs(CRect::FromSize(pt.x, pt.y, 1, 1), colour);
}

::testing::AssertionResult CHeadlessTest::ScreenRectIs(const CRect& r, COLORREF colour)
{
    WsFlush();
    const CSurface& fb = m_backend.Framebuffer();
    if (r.Intersect(fb.Bounds()) != r)
        return ScreenFailure("the rectangle lies off the screen");
    const Pixel want = PixelFromColorRef(colour);
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (fb.At(x, y) != want)
                return ScreenFailure("pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                                     ColourName(ColorRefFromPixel(fb.At(x, y))) + ", not " + ColourName(colour));
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult CHeadlessTest::ScreenFailure(const std::string& what)
{
    const std::string path = SaveScreen();
    return ::testing::AssertionFailure() << what << (path.empty() ? "" : "; the screen is in " + path);
}

std::string CHeadlessTest::SaveScreen()
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "screen";
    for (char& c : name)
        if (c == '/' || c == '\\' || c == ' ')
            c = '_';
    name += ".png";
    if (!WritePng(m_backend.Framebuffer(), name))
        return {};
    m_bScreenSaved = true;
    return name;
}
