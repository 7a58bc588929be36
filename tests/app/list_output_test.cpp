// SPDX-License-Identifier: GPL-3.0-or-later
// Getting the phone book out of the window, each command through its dialogs: Export
// against ribodex-cli on the same demo phone, Find and Find Next, printing to PDF, Print
// Setup and Print Preview.
#include <sys/resource.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "app/string_table.h"
#include "app/app_language.h"
#include "app/frame/command_actions.h"
#include "app/frame/frame_find.h"
#include "app/frame/main_frame.h"
#include "app/list/phone_book_model.h"
#include "app/list/phone_book_printer.h"
#include "app/list/rdx_view.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/list/command_state.h"
#include "core/list/print_pagination.h"
#include "dialog_script_helper.h"
#include "tests/support/child_process.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class ListOutputTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { app.reset(); }
    void exportEqualsTheCliAndAFailedOneKeepsTheFile();
    void findAndFindNextWithTheOneShotDialog();
    void printToPdfPagesAndTexts();
    void printSetupReachesTheGermanPreview();

private:
    QAction* Command(int id) const { return app->Frame()->Actions().Get(id); }
    PhoneBookModel* Model() const { return app->Frame()->View()->Model(); }
    QPrinter& Printer() const { return app->Frame()->View()->Printing()->Printer(); }
    QStringList SelectedNames() const;

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<RdxApp> app;
};

namespace {

// The export's file dialog gets path typed in (selectFile() leaves a focused name field
// alone); a dialog that offers no text files is accepted empty and writes nothing.
void AnswerExportDialog(DialogScript& script, const QString& path, bool askedToReplace, bool utf8 = false)
{
    script.Then([path, utf8](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog != nullptr &&
            dialog->nameFilters() == QStringList({"Text Files (*.txt)", "UTF-8 Text Files (*.txt)"}) &&
            dialog->defaultSuffix() == QStringLiteral("txt")) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            if (utf8)
                dialog->selectNameFilter(dialog->nameFilters().at(1));
        }
        qobject_cast<QDialog*>(modal)->accept();
    });
    if (askedToReplace)
        script.PressYes();
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

// The text of each page (poppler's pdftotext, which ends every page with a form feed).
QStringList PdfPages(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    pages.removeLast();
    return pages;
}

int PrintedRowsPerPage(QPrinter& printer)
{
    return RowsPerPage(printer.height(), QFontMetrics(PhoneBookPrinter::PrintFont(), &printer).height());
}

}  // namespace

void ListOutputTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<QtSettingsStore>(dir->filePath(QStringLiteral("ribodex.ini")));
    store->SetText("1.0", "Port", "DEMO");
    store->SetInt("1.0", "Query PIN", 0);
    RdxApp::Options options;
    // Where ribodex-cli finds the demo book with XDG_DATA_HOME set to dir.
    options.demoBookPath = dir->filePath(QStringLiteral("Quillcast Ribodex/demo-phone.txt")).toStdString();
    options.timing.afterDtrMs = 0;
    options.timing.afterDisconnectMs = 0;
    options.timing.beforeFullReadMs = 0;
    app = std::make_unique<RdxApp>(*store, options);
    QVERIFY(app->InitInstance({}));
    QCOMPARE(Model()->rowCount(), 7);
}

QStringList ListOutputTest::SelectedNames() const
{
    QStringList names;
    for (const QModelIndex& index : app->Frame()->View()->ReportView()->selectionModel()->selectedRows())
        names << index.data().toString();
    return names;
}

void ListOutputTest::exportEqualsTheCliAndAFailedOneKeepsTheFile()
{
    const test::ChildResult cli =
        test::RunChild({RIBODEX_CLI_BIN, "--port", "DEMO", "list", "--format", "text", "--encoding", "cp1252"},
                       {"RIBODEX_FAST_TIMING=1", "XDG_DATA_HOME=" + dir->path().toStdString()});
    QCOMPARE(cli.exitCode, 0);
    const QByteArray cliText = QByteArray::fromStdString(cli.out);
    const QString path = dir->filePath(QStringLiteral("book.txt"));

    // The list's order: by name, the A umlaut (0xC4) after every ASCII letter.
    Model()->SortColumn(NameColumn);
    DialogScript script;
    AnswerExportDialog(script, path, false);
    Command(ID_FILE_EXPORT)->trigger();
    const QList<QByteArray> lines = Contents(path).split('\n');
    QCOMPARE(lines.size(), 2 + 7 + 1);
    QVERIFY(lines[2].startsWith("Anna Huber          +4930123456"));
    QVERIFY(lines[8].startsWith("\xC4rztehaus "));

    // Back in index order, over the first file after the question: ribodex-cli's bytes.
    Model()->SortColumn(IndexColumn);
    AnswerExportDialog(script, path, true);
    Command(ID_FILE_EXPORT)->trigger();
    QCOMPARE(Contents(path), cliText);

    // The disk fills up after 10 bytes (a file size limit binds root too).
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 10;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    AnswerExportDialog(script, path, true);
    script.PressOk();
    Command(ID_FILE_EXPORT)->trigger();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QVERIFY(script.Done());
    QCOMPARE(script.Seen().last(), QStringLiteral("box: The file \"%1\" could not be written.\n%2")
                                       .arg(path, QString::fromLocal8Bit(std::strerror(EFBIG))));
    QCOMPARE(Contents(path), cliText);
    QCOMPARE(QDir(dir->path()).entryList({QStringLiteral("book.txt*")}, QDir::Files), QStringList{"book.txt"});
    // The second file type: the same text in UTF-8.
    AnswerExportDialog(script, path, true, true);
    Command(ID_FILE_EXPORT)->trigger();
    QCOMPARE(Contents(path), FromCp1252(cliText.toStdString()).toUtf8());

    // A file with exactly one second name, ours, and then also another owner's, is written in
    // place each time: both names get the text.
    const QByteArray other = QFile::encodeName(dir->filePath(QStringLiteral("other.txt")));
    QCOMPARE(::link(QFile::encodeName(path).constData(), other.constData()), 0);
    for (const int column : {NameColumn, IndexColumn}) {  // each order new: names descending, then indices
        if (column == IndexColumn)
            QCOMPARE(::chown(other.constData(), 65534, 0), 0);
        const QByteArray before = Contents(path);
        Model()->SortColumn(column);
        AnswerExportDialog(script, path, true);
        Command(ID_FILE_EXPORT)->trigger();
        QVERIFY(Contents(path) != before);
        QCOMPARE(Contents(QFile::decodeName(other)), Contents(path));
    }
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void ListOutputTest::findAndFindNextWithTheOneShotDialog()
{
    FrameFind* find = app->Frame()->Find();
    app->Frame()->View()->ReportView()->selectionModel()->select(
        Model()->index(1, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    Command(ID_SEARCH_FIND_NEXT)->trigger();  // before any search: nothing
    QCOMPARE(SelectedNames(), QStringList{"Bernd M\u00fcller"});

    Command(ID_SEARCH_FIND)->trigger();
    CFindDlg* dialog = find->Dialog();
    QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
    QVERIFY(!dialog->FindNextButton()->isEnabled());
    QTest::keyClicks(dialog->FindWhatEdit(), QStringLiteral("a"));
    QTest::mouseClick(dialog->FindNextButton(), Qt::LeftButton);
    QCOMPARE(find->Dialog(), nullptr);  // one request, then gone
    QCOMPARE(SelectedNames(), QStringList{"\u00c4rztehaus"});
    Command(ID_SEARCH_FIND_NEXT)->trigger();
    QCOMPARE(SelectedNames(), QStringList{"Pizza Roma"});
    Command(ID_SEARCH_FIND_NEXT)->trigger();
    QCOMPARE(SelectedNames(), QStringList{"Anna Huber"});
    QVERIFY(app->Frame()->View()->FindEntryText(QStringLiteral("MU\u0308LLER"), false, false, true));  // decomposed
    QCOMPARE(SelectedNames(), QStringList{"Bernd M\u00fcller"});

    // Opens again with what was remembered; Find while it is open keeps the one dialog.
    Command(ID_SEARCH_FIND)->trigger();
    dialog = find->Dialog();
    QCOMPARE(dialog->FindWhatEdit()->text(), QStringLiteral("a"));
    Command(ID_SEARCH_FIND)->trigger();
    QCOMPARE(find->Dialog(), dialog);

    // Closed with a text in it: one search, upwards with match case, found nowhere.
    dialog->MatchCaseBox()->setChecked(true);
    dialog->UpButton()->setChecked(true);
    dialog->FindWhatEdit()->setText(QStringLiteral("ANNA"));
    DialogScript script;
    script.PressOk();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QCOMPARE(script.Seen(), QStringList{"box: No entry found."});
    QCOMPARE(SelectedNames(), QStringList());
    QCOMPARE(find->Dialog(), nullptr);
    QVERIFY(find->Remembered().matchCase && !find->Remembered().searchDown);
}

void ListOutputTest::printToPdfPagesAndTexts()
{
    const int count = 150;
    Model()->DeleteAllItems();
    auto row = [](int i) { return QStringLiteral("Row %1").arg(i, 3, 10, QLatin1Char('0')); };
    for (int i = 0; i < count; ++i)
        Model()->AddItem(std::to_string(i + 1), i == 2 ? "+4912345678901231" : "0301234",
                         i == 1 ? "A name far too long for the column" : i == 2 ? std::string(19, 'W') : row(i).toStdString());
    const QString pdf = dir->filePath(QStringLiteral("book.pdf"));
    Printer().setOutputFileName(pdf);
    DialogScript script;
    script.PressOk();  // the print dialog as it is
    Command(ID_FILE_PRINT)->trigger();
    QCOMPARE(script.Seen(), QStringList{"dialog: Print"});

    const int rows = PrintedRowsPerPage(Printer());
    QVERIFY(rows > 2 && rows < count);
    const QStringList pages = PdfPages(pdf);
    QCOMPARE(pages.size(), PageCount(count, rows));
    for (const QString& text : {QStringLiteral("Ribodex Page: 1"), QStringLiteral("Name"), QStringLiteral("Number"),
                                QStringLiteral("Index"), row(0), QStringLiteral("A name far too l..."), row(rows - 1)})
        QVERIFY2(pages[0].contains(text), qPrintable(text + QStringLiteral(" not on page 1:\n") + pages[0]));
    QVERIFY(!pages[0].contains(row(rows)));
    QVERIFY2(pages[0].simplified().contains(QString(19, QLatin1Char('W')) + QStringLiteral(" +4912345678901231 3 ")), qPrintable(pages[0]));
    QVERIFY2(pages[1].contains(QStringLiteral("Ribodex Page: 2")) && pages[1].contains(row(rows)), qPrintable(pages[1]));
    QVERIFY(!pages[1].contains(row(rows - 1)));

    // A page range from the print dialog: those pages only, none past the last.
    Printer().setPrintRange(QPrinter::PageRange);
    Printer().setFromTo(int(pages.size()), int(pages.size()) + 5);
    QCOMPARE(app->Frame()->View()->Printing()->PrintPages(Printer()), 1);
    QCOMPARE(PdfPages(pdf), pages.mid(pages.size() - 1));

    // The next Print starts at all pages again; a range past the last page says so.
    script.PressOk().Then([&](QWidget* modal) {
        modal->findChild<QRadioButton*>(QStringLiteral("printRange"))->click();
        modal->findChild<QSpinBox*>(QStringLiteral("to"))->setValue(int(pages.size()) + 5);
        modal->findChild<QSpinBox*>(QStringLiteral("from"))->setValue(int(pages.size()) + 1);
        qobject_cast<QDialog*>(modal)->accept();
    }).PressOk();
    Command(ID_FILE_PRINT)->trigger();
    QCOMPARE(PdfPages(pdf), pages);
    Command(ID_FILE_PRINT)->trigger();
    QCOMPARE(script.Seen().last(), QStringLiteral("box: The chosen pages hold nothing of the list: nothing was printed."));
}

void ListOutputTest::printSetupReachesTheGermanPreview()
{
    AppLanguage german(QLocale(QLocale::German, QLocale::Germany));
    const int portraitRows = PrintedRowsPerPage(Printer());
    int shownPages = 0;
    DialogScript script;
    script.Then([](QWidget* modal) {
              if (auto* landscape = modal->findChild<QRadioButton*>(QStringLiteral("landscape")))
                  landscape->click();
              qobject_cast<QDialog*>(modal)->accept();
          })
        .Then([&](QWidget* modal) {
            if (auto* preview = modal->findChild<QPrintPreviewWidget*>())
                shownPages = preview->pageCount();
            qobject_cast<QDialog*>(modal)->reject();
        });
    Command(ID_FILE_PRINT_SETUP)->trigger();
    const int landscapeRows = PrintedRowsPerPage(Printer());
    Model()->DeleteAllItems();
    for (int i = 0; i < 2 * landscapeRows + 1; ++i)  // three pages on turned paper, two upright
        Model()->AddItem(std::to_string(i + 1), "0301234", "Eintrag");
    QCOMPARE(PageCount(Model()->rowCount(), portraitRows), 2);
    Command(ID_FILE_PRINT_PREVIEW)->trigger();
    QCOMPARE(script.Seen().last(), QStringLiteral("dialog: Druckvorschau"));
    QCOMPARE(shownPages, 3);
}

QTEST_MAIN(ListOutputTest)
#include "list_output_test.moc"
