// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/help_window.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace ribodex {

HelpWindow::HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Ribodex Help"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/entry16.png")));

    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("helpBrowser"));
    browser->setOpenExternalLinks(true);

    auto* contents = new QPushButton(tr("&Contents"), this);
    contents->setObjectName(QStringLiteral("helpContents"));
    auto* back = new QPushButton(tr("&Back"), this);
    auto* forward = new QPushButton(tr("&Forward"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(contents, &QPushButton::clicked, this, [this] { ShowTopic(QStringLiteral("contents")); });
    connect(back, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(browser, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);

    auto* closeButton = new QPushButton(tr("C&lose"), this);
    closeButton->setObjectName(QStringLiteral("helpClose"));
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        auto* shortcut = new QShortcut(key, this, this, &QWidget::close);
        shortcut->setContext(Qt::WindowShortcut);
    }

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser);
}

QString HelpWindow::GuideUrl()
{
    //: The language code of the bundled user guide that goes with this translation (en, de).
    const QString language = tr("en");
    return QStringLiteral("qrc:/help/guide_%1.html").arg(language);
}

void HelpWindow::ShowTopic(const QString& topic)
{
    QUrl url(GuideUrl());
    if (!topic.isEmpty())
        url.setFragment(topic);
    if (browser->source().matches(url, QUrl::RemoveFragment) && !topic.isEmpty())
        browser->scrollToAnchor(topic);
    browser->setSource(url);
    if (!isVisible())
        PlaceOnOwnerScreen();
    show();
    raise();
    activateWindow();
}

void HelpWindow::PlaceOnOwnerScreen()
{
    // The window system would place a child window anywhere, also across two screens or
    // below the panel: centre it on the owner, inside the free area of the owner's screen.
    const QWidget* owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const QScreen* shown = owner != nullptr ? owner->screen() : screen();
    if (shown == nullptr)
        return;
    const QRect area = shown->availableGeometry();
    // The frame the window system adds is not known before the first show: leave room for
    // a usual one.
    constexpr int kFrameAllowance = 40;
    const QSize size = QSize(620, 560).boundedTo(area.size() - QSize(kFrameAllowance, kFrameAllowance));
    QRect placed(QPoint(0, 0), size);
    placed.moveCenter(owner != nullptr ? owner->frameGeometry().center() : area.center());
    placed.moveLeft(qBound(area.left(), placed.left(), area.right() - kFrameAllowance / 2 - size.width()));
    placed.moveTop(qBound(area.top(), placed.top(), area.bottom() - kFrameAllowance - size.height()));
    setGeometry(placed);
}

HelpWindow* ShowHelp(QWidget* owner, const QString& topic)
{
    auto* help = owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly);
    if (help == nullptr)
        help = new HelpWindow(owner);
    help->ShowTopic(topic);
    return help;
}

QString HelpTopicFor(const QWidget* window)
{
    if (window == nullptr)
        return {};
    const QVariant own = window->property("helpTopic");
    if (own.isValid())
        return own.toString();
    const QString name = window->objectName();
    // Dialogs are named after their resource ids; the words in them say what they are for.
    static const struct {
        const char* word;
        const char* topic;
    } byName[] = {{"IDD_SETTINGS", "port"}, {"IDD_PIN", "pin"},       {"IDD_PUK", "pin"},
                  {"ENTRY", "editing"},      {"PHONEBOOK", "memory"},  {"PHONE_BOOK", "memory"},
                  {"FIND", "find"},          {"EXPORT", "export"},     {"PRINT", "printing"},
                  {"IDD_ABOUT", "about"}};
    for (const auto& entry : byName)
        if (name.contains(QLatin1String(entry.word)))
            return QLatin1String(entry.topic);
    if (window->inherits("QPrintDialog") || window->inherits("QPrintPreviewDialog") ||
        window->inherits("QPageSetupDialog"))
        return QStringLiteral("printing");
    if (window->inherits("QFileDialog"))
        return QStringLiteral("export");
    if (name == QLatin1String("CMainFrame"))
        return QStringLiteral("window");
    return {};
}

}  // namespace ribodex
