// The editor as the shell tests drive it: a profile in a temporary folder, the application
// started with a new document and its window shown, closed without asking to save.
#pragma once

#include "app/MainFrame.h"
#include "app/TesselApp.h"
#include "document/TesselDoc.h"
#include "view/TesselView.h"

#include <QTemporaryDir>
#include <QtTest>
#include <memory>

class CEditorTest {
protected:
    // False when the editor did not start or its window did not appear.
    bool StartEditor() {
        m_app = std::make_unique<CTesselApp>();
        return m_app->InitInstance({}, m_folder.filePath(QStringLiteral("t.ini")).toStdString()) &&
               QTest::qWaitForWindowExposed(m_app->m_pMainFrame);
    }
    void CloseEditor() {
        m_app->m_pDoc->SetModifiedFlag(false);
        m_app.reset();
    }

    CMainFrame& Frame() { return *m_app->m_pMainFrame; }
    CTesselDoc& Doc() { return *m_app->m_pDoc; }
    CTesselView& View() { return *m_app->m_pView; }

    QTemporaryDir m_folder;
    std::unique_ptr<CTesselApp> m_app;
};
