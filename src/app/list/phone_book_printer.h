// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QObject>
#include <memory>

class QFontMetrics;
class QPainter;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace ribodex {

class CommandActions;
class PhoneBookModel;

// Printing the list as it stands: every item in the list's current order, as a table of
// the three columns under a heading with the page number, in a fixed-pitch font.
// Handles File > Print (the print dialog, opening at all pages, then the pages; a range
// that holds no page says so), Print Preview and Print Setup (paper and orientation),
// which share one printer whose paper settings last for the run.
// model, actions and owner must outlive this object (a child of owner). UI thread only.
class PhoneBookPrinter : public QObject {
    Q_OBJECT

public:
    PhoneBookPrinter(const PhoneBookModel& model, const CommandActions& actions, QWidget* owner);
    ~PhoneBookPrinter() override;

    QPrinter& Printer() { return *printer; }
    // The font of the printed pages, at the printer's resolution when drawn.
    static QFont PrintFont();

    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

    // The preview of all pages on the shared printer, not yet shown; its Print button
    // prints through the same pages.
    std::unique_ptr<QPrintPreviewDialog> NewPreviewDialog(QWidget* parent);

    // Draws the pages of target's page range (all pages when it names none; pages past the
    // last are not drawn) and returns how many were drawn; -1 when the job could not start.
    int PrintPages(QPrinter& target) const;

private:
    // PrintPages, under the wait cursor, with a message when the job could not start.
    void Print(QPrinter& target);
    void DrawPage(QPainter& painter, const QFontMetrics& metrics, int page, int rowsPerPage,
                  int pageWidth) const;

    const PhoneBookModel& model;
    QWidget* owner;
    std::unique_ptr<QPrinter> printer;
};

}  // namespace ribodex
