#pragma once
// The application object: it starts the main window and answers About.

#include "platform/fw/CWinApp.h"

class CSolitaireApp : public CWinApp {
public:
    CSolitaireApp();
    ~CSolitaireApp() override;
    const MessageTable* GetMessageMap() const override;
    bool InitInstance() override;

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnAppAbout();
};

extern CSolitaireApp theApp;
