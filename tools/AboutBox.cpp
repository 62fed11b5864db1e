#include "tools/AboutBox.h"

#include "platform/BuildInfo.h"
#include "platform/LibraryVersions.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* AddLabel(QWidget* parent, QVBoxLayout* layout, const QString& name, const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label);
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Zembra"));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(QIcon(QStringLiteral(":/icons/128/org.zembra.Zembra.png")).pixmap(96, 96));
    icon->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    auto* name = AddLabel(this, text, QStringLiteral("ProductName"), QStringLiteral("Zembra"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);
    AddLabel(this, text, QStringLiteral("VersionLabel"), VersionText());
    AddLabel(this, text, QStringLiteral("CommentsLabel"), QStringLiteral("An editor for animated GIFs."));
    AddLabel(this, text, QStringLiteral("LicenceLabel"), LicenceText());
    AddLabel(this, text, QStringLiteral("LibrariesLabel"), QStringLiteral("Runs on ") + LibrariesText() + QLatin1Char('.'));
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("CloseButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setMinimumWidth(420);
}

QString TAboutBox::VersionText()
{
    return QStringLiteral("Version " ZEMBRA_VERSION);
}

QString TAboutBox::LicenceText()
{
    return QStringLiteral("Free software under the GNU General Public License, version 3 or later (" ZEMBRA_LICENSE
                          "). It comes with no warranty.");
}

QString TAboutBox::LibrariesText()
{
    QStringList parts;
    for (const TLibraryVersion& library : LibraryVersions())
        parts << library.Name + QLatin1Char(' ') + library.Version;
    return parts.join(QStringLiteral(", "));
}
