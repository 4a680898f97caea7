// The About box of the editor.
#include "app/AboutDlg.h"

#include "app/QtStrings.h"
#include "document/StringIds.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(LoadQString(ids::kAboutTitle));

    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/tessel.svg")).pixmap(48, 48));
    icon->setAlignment(Qt::AlignTop);

    auto* version = new QLabel(LoadQString(ids::kAboutVersion), this);
    version->setObjectName(QStringLiteral("version"));
    QFont bold = version->font();
    bold.setBold(true);
    version->setFont(bold);
    auto* line = new QLabel(LoadQString(ids::kAboutLine), this);

    auto* texts = new QVBoxLayout;
    texts->addWidget(version);
    texts->addWidget(line);
    texts->addStretch();

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(texts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(LoadQString(ids::kButtonOk));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
