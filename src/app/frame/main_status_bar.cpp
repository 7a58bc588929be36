#include "app/frame/main_status_bar.h"

#include <QLabel>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/string_table.h"
#include "core/session/user_interface.h"

namespace ribodex {
namespace {

namespace fs = std::filesystem;

std::optional<bool> LedState(const fs::path& root, const std::string& suffix)
{
    std::optional<bool> state;
    std::error_code error;
    for (fs::directory_iterator it(root, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        std::ifstream file(it->path() / "brightness");
        int brightness = 0;
        if (file >> brightness)
            state = state.value_or(false) || brightness > 0;
    }
    return state;
}

}  // namespace

LockStates ReadLockStates(const std::string& ledsRoot)
{
    return {LedState(ledsRoot, "::capslock"), LedState(ledsRoot, "::numlock"),
            LedState(ledsRoot, "::scrolllock")};
}

MainStatusBar::MainStatusBar(QWidget* parent) : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    messagePane = new QLabel(StringTable::Text(AFX_IDS_IDLEMESSAGE), this);
    messagePane->setObjectName(QStringLiteral("messagePane"));
    addWidget(messagePane, 1);
    phoneBookPane = new QLabel(this);
    phoneBookPane->setObjectName(QStringLiteral("phoneBookPane"));
    phoneBookPane->setFrameShape(QFrame::Panel);
    phoneBookPane->setFrameShadow(QFrame::Sunken);
    phoneBookPane->setHidden(true);
    addPermanentWidget(phoneBookPane);
    const int ids[3] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    for (int i = 0; i < 3; ++i) {
        indicators[i] = new QLabel(StringTable::Text(ids[i]), this);
        indicators[i]->setFrameShape(QFrame::Panel);
        indicators[i]->setFrameShadow(QFrame::Sunken);
        indicators[i]->setAlignment(Qt::AlignCenter);
        indicators[i]->setMinimumWidth(indicators[i]->fontMetrics().horizontalAdvance(QStringLiteral("SCRLX")));
        indicators[i]->setEnabled(false);
        addPermanentWidget(indicators[i]);
    }
    lockTimer = new QTimer(this);
    connect(lockTimer, &QTimer::timeout, this, [this] { UpdateIndicators(ReadLockStates()); });
    lockTimer->start(500);
    UpdateIndicators(ReadLockStates());
}

void MainStatusBar::SetStatusText(const QString& text)
{
    messagePane->setText(text);
    repaint();
}

QString MainStatusBar::StatusText() const
{
    return messagePane->text();
}

void MainStatusBar::ShowPhoneBook(const PhoneBookStatus& status)
{
    phoneBookPane->setText(status.memory);
    phoneBookPane->setHidden(status.memory.isEmpty());
}

void MainStatusBar::UpdateIndicators(const LockStates& states)
{
    const std::optional<bool> on[3] = {states.caps, states.num, states.scroll};
    for (int i = 0; i < 3; ++i)
        indicators[i]->setEnabled(on[i].value_or(false));
}

}  // namespace ribodex
