// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialog_script_helper.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>

namespace ribodex::test {

DialogScript::DialogScript()
{
    connect(&timer, &QTimer::timeout, this, &DialogScript::Poll);
    timer.start(5);
}

DialogScript::~DialogScript() = default;

DialogScript& DialogScript::Then(Step step)
{
    steps.push_back(std::move(step));
    return *this;
}

QString BoxText(QWidget* modal)
{
    auto* box = qobject_cast<QMessageBox*>(modal);
    return box != nullptr ? box->text() : QString();
}

void DialogScript::Poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible() || modal->property("scripted").toBool())
        return;
    modal->setProperty("scripted", true);
    if (auto* box = qobject_cast<QMessageBox*>(modal))
        seen << QStringLiteral("box: ") + box->text();
    else
        seen << QStringLiteral("dialog: ") + modal->windowTitle();
    if (steps.empty()) {
        ++unexpected;
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        return;
    }
    Step step = std::move(steps.front());
    steps.pop_front();
    // Act from a fresh event so the modal loop has fully started.
    QTimer::singleShot(0, modal, [step, modal] { step(modal); });
}

namespace {

void PressBox(QWidget* modal, QMessageBox::StandardButton which)
{
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        if (QAbstractButton* button = box->button(which)) {
            button->click();
            return;
        }
    }
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        which == QMessageBox::No ? dialog->reject() : dialog->accept();
}

}  // namespace

DialogScript& DialogScript::PressOk()
{
    return Then([](QWidget* m) { PressBox(m, QMessageBox::Ok); });
}

DialogScript& DialogScript::PressYes()
{
    return Then([](QWidget* m) { PressBox(m, QMessageBox::Yes); });
}

DialogScript& DialogScript::PressNo()
{
    return Then([](QWidget* m) { PressBox(m, QMessageBox::No); });
}

DialogScript& DialogScript::Cancel()
{
    return Then([](QWidget* m) {
        if (auto* dialog = qobject_cast<QDialog*>(m))
            dialog->reject();
    });
}

DialogScript& DialogScript::EnterPin(const QString& pin, bool save)
{
    return Then([pin, save](QWidget* m) {
        m->findChild<QLineEdit*>(QStringLiteral("IDC_PIN"))->setText(pin);
        m->findChild<QCheckBox*>(QStringLiteral("IDC_SAVE_PIN"))->setChecked(save);
        qobject_cast<QDialog*>(m)->accept();
    });
}

DialogScript& DialogScript::EnterPuk(const QString& puk, const QString& newPin,
                                     const QString& confirmation, bool save)
{
    return Then([=](QWidget* m) {
        m->findChild<QLineEdit*>(QStringLiteral("IDC_PUK"))->setText(puk);
        m->findChild<QLineEdit*>(QStringLiteral("IDC_PIN"))->setText(newPin);
        m->findChild<QLineEdit*>(QStringLiteral("IDC_PIN_CONFIRM"))->setText(confirmation);
        m->findChild<QCheckBox*>(QStringLiteral("IDC_SAVE_PIN"))->setChecked(save);
        qobject_cast<QDialog*>(m)->accept();
    });
}

QList<QWidget*> TabThrough(QWidget& dialog, const QStringList& typed, int tabs)
{
    dialog.show();
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog))
        return {};
    QList<QWidget*> seen{QApplication::focusWidget()};
    for (int i = 0; i < tabs; ++i) {
        if (i < typed.size())
            QTest::keyClicks(QApplication::focusWidget(), typed[i]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        seen << QApplication::focusWidget();
    }
    return seen;
}

}  // namespace ribodex::test
