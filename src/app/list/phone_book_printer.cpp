// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/list/phone_book_printer.h"

#include <QAction>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <algorithm>

#include "app/frame/command_actions.h"
#include "app/list/phone_book_model.h"
#include "app/message_box.h"
#include "app/string_table.h"
#include "core/list/command_state.h"
#include "core/list/print_pagination.h"

namespace ribodex {

PhoneBookPrinter::PhoneBookPrinter(const PhoneBookModel& model, const CommandActions& actions, QWidget* owner)
    : QObject(owner), model(model), owner(owner), printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    connect(actions.Get(ID_FILE_PRINT), &QAction::triggered, this, &PhoneBookPrinter::OnFilePrint);
    connect(actions.Get(ID_FILE_PRINT_PREVIEW), &QAction::triggered, this, &PhoneBookPrinter::OnFilePrintPreview);
    connect(actions.Get(ID_FILE_PRINT_SETUP), &QAction::triggered, this, &PhoneBookPrinter::OnFilePrintSetup);
}

PhoneBookPrinter::~PhoneBookPrinter() = default;

QFont PhoneBookPrinter::PrintFont()
{
    // Fixed pitch: the columns stand 20 character widths apart and a cell holds at most 19,
    // so they never touch; in a proportional font 19 wide letters outgrow 20 average ones.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

void PhoneBookPrinter::OnFilePrint()
{
    {
        CursorLift lift;
        // Every print starts at all pages: a range chosen for the last one is no business of
        // this one, and may lie past its end.
        printer->setPrintRange(QPrinter::AllPages);
        QPrintDialog dialog(printer.get(), owner->window());
        // The page count depends on the paper chosen in this very dialog.
        dialog.setMinMax(1, 9999);
        if (dialog.exec() != QDialog::Accepted)
            return;
    }
    Print(*printer);
}

void PhoneBookPrinter::OnFilePrintPreview()
{
    CursorLift lift;
    NewPreviewDialog(owner->window())->exec();
}

void PhoneBookPrinter::OnFilePrintSetup()
{
    CursorLift lift;
    QPageSetupDialog dialog(printer.get(), owner->window());
    dialog.exec();
}

std::unique_ptr<QPrintPreviewDialog> PhoneBookPrinter::NewPreviewDialog(QWidget* parent)
{
    // The page range of the last print is no business of the preview, which shows all pages.
    printer->setPrintRange(QPrinter::AllPages);
    auto dialog = std::make_unique<QPrintPreviewDialog>(printer.get(), parent);
    connect(dialog.get(), &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* target) { Print(*target); });
    return dialog;
}

void PhoneBookPrinter::Print(QPrinter& target)
{
    BusyCursor busy;
    const int printed = PrintPages(target);
    if (printed < 0)
        ShowMessageBox(owner->window(), tr("Could not start print job."));
    else if (printed == 0)
        ShowMessageBox(owner->window(), tr("The chosen pages hold nothing of the list: nothing was printed."));
}

int PhoneBookPrinter::PrintPages(QPrinter& target) const
{
    const QFont font = PrintFont();
    const QFontMetrics metrics(font, &target);
    const int rowsPerPage = RowsPerPage(target.height(), metrics.height());
    const int pageCount = PageCount(model.rowCount(), rowsPerPage);
    int first = 1;
    int last = pageCount;
    if (target.printRange() == QPrinter::PageRange && target.fromPage() > 0) {
        first = target.fromPage();
        last = std::min(pageCount, std::max(target.toPage(), first));
    }
    if (first > last)
        return 0;

    QPainter painter;
    if (!painter.begin(&target))
        return -1;
    painter.setFont(font);
    for (int page = first; page <= last; ++page) {
        if (page > first && !target.newPage())
            return page - first;
        DrawPage(painter, metrics, page, rowsPerPage, target.width());
    }
    painter.end();
    return last - first + 1;
}

void PhoneBookPrinter::DrawPage(QPainter& painter, const QFontMetrics& metrics, int page, int rowsPerPage,
                                int pageWidth) const
{
    const int h = metrics.height();
    const int w = metrics.averageCharWidth();
    // Positions are the top-left corners of the texts; Qt draws at the baseline.
    auto draw = [&](int x, int y, const QString& text) { painter.drawText(QPoint(x, y + metrics.ascent()), text); };

    draw(0, 0, StringTable::FormatNumbers(IDS_PRINT_PAGE_HEADING, {page}));
    painter.drawLine(0, 2 * h, pageWidth - 1, 2 * h);
    const int x[] = {4 * w, 24 * w, 44 * w};
    draw(x[NameColumn], 4 * h, StringTable::Text(IDS_NAME_COLUMN));
    draw(x[NumberColumn], 4 * h, StringTable::Text(IDS_NUMBER_COLUMN));
    draw(x[IndexColumn], 4 * h, StringTable::Text(IDS_INDEX_COLUMN));

    const PageItems items = ItemsOfPage(page, model.rowCount(), rowsPerPage);
    int y = 6 * h;
    for (int item = items.first; item < items.end; ++item, y += h) {
        const ListRow& row = model.Row(item);
        for (int column : {NameColumn, NumberColumn, IndexColumn})
            draw(x[column], y, QString::fromStdString(ShortenCell(row[size_t(column)])));
    }
}

}  // namespace ribodex
