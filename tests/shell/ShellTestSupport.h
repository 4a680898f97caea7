// Helpers shared by the shell tests: an in-memory profile and drivers for modal boxes.
#pragma once

#include "app/ProfileAccess.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// A list of Qt strings from plain literals (the shell forbids implicit conversions).
inline QStringList Strings(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts) {
        list << QString::fromUtf8(text);
    }
    return list;
}

// The bytes of a file, empty when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The share of a's pixels whose colour b has nowhere within `reach` pixels: 0 for equal
// pictures at reach 0, small for two drawings whose lines lie a pixel apart.
inline double UnmatchedShare(const QImage& a, const QImage& b, int reach) {
    int unmatched = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            bool found = false;
            for (int dy = -reach; dy <= reach && !found; ++dy) {
                for (int dx = -reach; dx <= reach && !found; ++dx) {
                    found = b.valid(x + dx, y + dy) && b.pixel(x + dx, y + dy) == a.pixel(x, y);
                }
            }
            unmatched += !found;
        }
    }
    return double(unmatched) / (double(a.width()) * a.height());
}

// How much darker than white the picture is, summed over its pixels between two distances
// from its middle.
inline double Darkness(const QImage& image, double from, double to) {
    double sum = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const double d = std::hypot(x - image.width() / 2, y - image.height() / 2);
            sum += d >= from && d < to ? 255 - qGray(image.pixel(x, y)) : 0;
        }
    }
    return sum;
}

// A profile held in memory, with keys compared exactly.
class CMemoryProfile : public CProfileAccess {
public:
    int ReadInt(std::string_view section, std::string_view key, int fallback) override {
        const auto it = m_values.find(Key(section, key));
        return it == m_values.end() ? fallback : std::stoi(it->second);
    }
    void WriteInt(std::string_view section, std::string_view key, int value) override {
        m_values[Key(section, key)] = std::to_string(value);
    }
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback) override {
        const auto it = m_values.find(Key(section, key));
        return it == m_values.end() ? std::string(fallback) : it->second;
    }
    void WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override {
        m_values[Key(section, key)] = std::string(value);
    }
    std::map<std::string, std::string> m_values;

private:
    static std::string Key(std::string_view section, std::string_view key) {
        return std::string(section) + "/" + std::string(key);
    }
};

// Runs the action on the next modal widget that opens (polling, since exec() blocks).
inline void WhenModalOpens(std::function<void(QWidget*)> action, int attempts = 1000) {
    QTimer::singleShot(10, [action, attempts] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != nullptr) {
            action(modal);
        } else if (attempts > 0) {
            WhenModalOpens(action, attempts - 1);
        }
    });
}

// Clicks the button of that role in the next message box and records its text.
inline void AnswerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    WhenModalOpens([button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            return;
        }
        if (text != nullptr) {
            *text = box->text();
        }
        if (QAbstractButton* target = box->button(button)) {
            target->click();
        }
    });
}

// One step of a modal script: it is shown each visible modal window in turn and returns true
// when it has dealt with it.
using ModalStep = std::function<bool(QWidget*)>;

// Deals with the modal windows that open, in order, one step each, polling so that it does
// not depend on how fast a dialog appears. Steps left over when it is destroyed are dropped.
class CModalScript : public QObject {
public:
    explicit CModalScript(std::vector<ModalStep> steps) : m_steps(std::move(steps)) {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { Poll(); });
        m_timer.start();
    }
    bool Done() const { return m_next == m_steps.size(); }

private:
    void Poll() {
        // A step may open a nested box whose event loop polls again; that poll waits.
        if (m_busy) {
            return;
        }
        m_busy = true;
        QWidget* modal = QApplication::activeModalWidget();
        if (m_next < m_steps.size() && modal != nullptr && modal->isVisible() &&
            m_steps[m_next](modal)) {
            ++m_next;
        }
        m_busy = false;
    }

    std::vector<ModalStep> m_steps;
    size_t m_next = 0;
    bool m_busy = false;
    QTimer m_timer;
};

// A step that presses Cancel in the progress dialog, first trying to close the main window
// as a user might; `closed` records whether the window went.
inline ModalStep CancelProgress(QWidget& window, bool* closed) {
    return [&window, closed](QWidget* modal) {
        if (modal->objectName() != QStringLiteral("progressDialog")) {
            return false;
        }
        *closed = window.close();
        modal->findChild<QPushButton*>(QStringLiteral("cancel"))->click();
        return true;
    };
}

// Clicks that button of a message box, recording its text.
inline ModalStep PressButton(QMessageBox::StandardButton button, QString* text = nullptr) {
    return [button, text](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr || box->button(button) == nullptr) {
            return false;
        }
        if (text != nullptr) {
            *text = box->text();
        }
        box->button(button)->click();
        return true;
    };
}

// Chooses the file in a file dialog, as a user typing its name into the name field and
// pressing Enter; the dialog's own checks of the name (existing file, overwrite) are the
// toolkit's and are not run.
inline ModalStep ChooseFile(const QString& path) {
    return [path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* name = dialog != nullptr
                         ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                         : nullptr;
        if (name == nullptr) {
            return false;
        }
        dialog->selectFile(path);
        name->setText(path);
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
        return true;
    };
}

inline ModalStep CancelFileDialog() {
    return [](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr) {
            return false;
        }
        dialog->reject();
        return true;
    };
}
