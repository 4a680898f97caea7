// Helpers for driving modal dialogs, message boxes and the colour picker from shell tests.
#pragma once

#include "app/ColorButton.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <deque>

// Closes every message box that opens while it lives and keeps their texts.
class CMessageCatcher {
public:
    CMessageCatcher() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_texts << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start();
    }

    QStringList m_texts;

private:
    QTimer m_timer;
};

// Answers the colour picker from a queue: a colour for OK, no value for Cancel. Records the
// colour every picker run started from.
class CPickerScript {
public:
    CPickerScript() {
        CColorButton::SetPicker([this](COLORREF initial, QWidget*) {
            m_seeds.push_back(initial);
            if (m_answers.empty()) {
                return std::optional<COLORREF>();
            }
            const std::optional<COLORREF> answer = m_answers.front();
            m_answers.pop_front();
            return answer;
        });
    }
    ~CPickerScript() { CColorButton::SetPicker({}); }

    void Choose(COLORREF color) { m_answers.push_back(color); }
    void Cancel() { m_answers.push_back(std::nullopt); }

    std::deque<std::optional<COLORREF>> m_answers;
    std::vector<COLORREF> m_seeds;
};

// Replaces the text of an edit the way a user does: select everything, then type.
inline void TypeInto(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

template <class T> T* Child(QObject* parent, const char* name) {
    T* child = parent->findChild<T*>(QLatin1String(name));
    if (child == nullptr) {
        qFatal("no child named %s", name);
    }
    return child;
}

inline void ClickButton(QObject* parent, const char* name) {
    QTest::mouseClick(Child<QPushButton>(parent, name), Qt::LeftButton);
}
