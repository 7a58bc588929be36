// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/frame/main_status_bar.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/frame/elided_label.h"
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
    messagePane = new ElidedLabel(StringTable::Text(AFX_IDS_IDLEMESSAGE), this);
    messagePane->setObjectName(QStringLiteral("messagePane"));
    addWidget(messagePane, 1);
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->setTextVisible(false);
    progressBar->setMaximumWidth(160);
    progressLabel = new QLabel(this);
    progressLabel->setObjectName(QStringLiteral("progressText"));
    cancelButton = new QPushButton(StringTable::Text(IDS_CANCEL), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    // Escape is the key; the button must not take the focus from the list.
    cancelButton->setFocusPolicy(Qt::NoFocus);
    connect(cancelButton, &QPushButton::clicked, this, &MainStatusBar::CancelClicked);
    for (QWidget* part : {static_cast<QWidget*>(progressBar), static_cast<QWidget*>(progressLabel),
                          static_cast<QWidget*>(cancelButton)}) {
        addPermanentWidget(part);
        part->hide();
    }
    // Long texts (a /dev/serial/by-id path) are cut, never made room for: the window keeps
    // the width the user gave it.
    portPane = new ElidedLabel(QString(), this);
    portPane->setObjectName(QStringLiteral("portPane"));
    memoryPane = new ElidedLabel(QString(), this);
    memoryPane->setObjectName(QStringLiteral("memoryPane"));
    for (QLabel* pane : {portPane, memoryPane}) {
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        addPermanentWidget(pane);
        pane->hide();
    }
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

void MainStatusBar::ShowProgress(int done, int total, const QString& label)
{
    progressBar->setRange(0, std::max(total, 1));
    progressBar->setValue(std::clamp(done, 0, std::max(total, 1)));
    progressLabel->setText(label.isEmpty() ? StringTable::FormatNumbers(IDS_PROGRESS_COUNT, {done, total}) : label);
    if (!cancelButton->isVisible()) {
        progressBar->show();
        progressLabel->show();
        cancelButton->show();
    }
    repaint();
}

void MainStatusBar::HideProgress()
{
    progressBar->hide();
    progressLabel->hide();
    cancelButton->hide();
}

bool MainStatusBar::ProgressShown() const
{
    return !cancelButton->isHidden();
}

QString MainStatusBar::ProgressText() const
{
    return progressLabel->text();
}

void MainStatusBar::SetDeviceState(const QString& port, const QString& memory, int used, long long capacity,
                                   bool incomplete)
{
    portPane->setText(port);
    portPane->setVisible(!port.isEmpty());
    QString text = memory;
    if (capacity > 0)
        text += QStringLiteral(" %1/%2").arg(used).arg(capacity);
    if (incomplete && !memory.isEmpty())
        text = StringTable::Text(IDS_LIST_INCOMPLETE).replace(QLatin1String("%s"), text);
    memoryPane->setText(text);
    memoryPane->setVisible(!memory.isEmpty());
}

QString MainStatusBar::PortText() const
{
    return portPane->text();
}

QString MainStatusBar::MemoryText() const
{
    return memoryPane->isHidden() ? QString() : memoryPane->text();
}

void MainStatusBar::UpdateIndicators(const LockStates& states)
{
    const std::optional<bool> on[3] = {states.caps, states.num, states.scroll};
    for (int i = 0; i < 3; ++i)
        indicators[i]->setEnabled(on[i].value_or(false));
}

}  // namespace ribodex
