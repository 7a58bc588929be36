// Getting the phone book out of the window: File > Export against ribodex-cli on the same
// phone, Edit > Find and Find Next with the one-shot find dialog, and printing to PDF.
#include <sys/resource.h>

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "app/app_language.h"
#include "app/dialogs/find_dlg.h"
#include "app/frame/command_actions.h"
#include "app/frame/frame_find.h"
#include "app/frame/main_frame.h"
#include "app/list/phone_book_model.h"
#include "app/list/phone_book_printer.h"
#include "app/list/rdx_view.h"
#include "app/qt_settings_store.h"
#include "app/rdx_app.h"
#include "core/phonebook/command_state.h"
#include "core/phonebook/print_pagination.h"
#include "dialog_script_helper.h"
#include "sim/pty_modem.h"
#include "tests/support/child_process.h"

using namespace ribodex;
using ribodex::test::DialogScript;

class ListOutputTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void exportWritesTheBytesOfTheCliInTheListsOrder();
    void failedExportKeepsTheOldFile();
    void findAndFindNextWithTheOneShotDialog();
    void printToPdfPagesAndTexts();
    void printSetupReachesThePreviewInGerman();

private:
    // A phone with the given SM entries (numbers 0 and 1700 + index), and the window on it.
    void StartPhone(std::map<int, std::string> gsmNames);
    void NewApp();
    QAction* Command(int id) const { return app->Frame()->Actions().Get(id); }
    PhoneBookModel* Model() const { return app->Frame()->View()->Model(); }
    QStringList SelectedNames() const;
    void Select(int row) const;
    // Export through the file dialog to path; replace answers the question for an existing file.
    DialogScript& ScriptExportDialog(DialogScript& script, const QString& path, bool replace);
    static QByteArray ReadFile(const QString& path);
    QString PdfText(const QString& pdf, int page) const;

    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<sim::PtyModem> modem;
    std::unique_ptr<RdxApp> app;
    std::string port;
};

void ListOutputTest::init()
{
    dir = std::make_unique<QTemporaryDir>();
    store = std::make_unique<QtSettingsStore>(dir->filePath(QStringLiteral("ribodex.ini")));
}

void ListOutputTest::cleanup()
{
    app.reset();
    modem.reset();
    store.reset();
    dir.reset();
}

void ListOutputTest::StartPhone(std::map<int, std::string> gsmNames)
{
    sim::SimConfig config;
    for (sim::SimMemory& memory : config.memories) {
        if (memory.name != "SM")
            continue;
        for (auto& [index, name] : gsmNames)
            memory.entries[index] = sim::SimEntry{"0" + std::to_string(1700 + index), 129, name};
    }
    modem = std::make_unique<sim::PtyModem>(config);
    QVERIFY(modem->Start());
    port = modem->SlavePath();
    store->SetText("1.0", "Port", port);
    store->SetInt("1.0", "Query PIN", 0);
}

void ListOutputTest::NewApp()
{
    RdxApp::Options options;
    options.demoBookPath = dir->filePath(QStringLiteral("demo.txt")).toStdString();
    app = std::make_unique<RdxApp>(*store, options);
    QVERIFY(app->InitInstance({}));
}

QStringList ListOutputTest::SelectedNames() const
{
    QStringList names;
    for (const QModelIndex& index : app->Frame()->View()->ReportView()->selectionModel()->selectedRows())
        names << index.data().toString();
    return names;
}

void ListOutputTest::Select(int row) const
{
    app->Frame()->View()->ReportView()->selectionModel()->select(
        Model()->index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

DialogScript& ListOutputTest::ScriptExportDialog(DialogScript& script, const QString& path, bool replace)
{
    script.Then([path](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (dialog == nullptr)
            return;  // left to the script's reject: the test sees the file unchanged
        // A dialog that does not offer text files or the suffix keeps the file unwritten.
        // Typed, as selectFile() leaves a focused name field alone.
        if (dialog->nameFilters() == QStringList{"Text Files (*.txt)"} && dialog->defaultSuffix() == "txt")
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    if (replace)
        script.PressYes();
    return script;
}

QByteArray ListOutputTest::ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

QString ListOutputTest::PdfText(const QString& pdf, int page) const
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-f"), QString::number(page),
                                                QStringLiteral("-l"), QString::number(page), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("pdftotext failed (poppler-utils, make deps): ") + process.errorString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

void ListOutputTest::exportWritesTheBytesOfTheCliInTheListsOrder()
{
    // Index order is the reverse of name order; 0x7E is u diaeresis in the GSM alphabet.
    StartPhone({{1, "Zora"}, {3, "M\x7Eller"}, {120, "Anna"}});
    const test::ChildResult cli = test::RunChild(
        {RIBODEX_CLI_BIN, "--port", port, "list", "--format", "text", "--encoding", "cp1252"},
        {"RIBODEX_FAST_TIMING=1"});
    QCOMPARE(cli.exitCode, 0);
    const QByteArray cliText = QByteArray::fromStdString(cli.out);
    QVERIFY(cliText.contains("M\xFCller"));

    NewApp();
    QCOMPARE(Model()->rowCount(), 3);
    const QString path = dir->filePath(QStringLiteral("book.txt"));

    Model()->SortColumn(NameColumn);
    DialogScript script;
    ScriptExportDialog(script, path, false);
    Command(ID_FILE_EXPORT)->trigger();
    QVERIFY(script.Done());
    const qsizetype body = cliText.indexOf("\r\n\r\n") + 4;
    QList<QByteArray> lines = cliText.mid(body).split('\n');
    lines.removeLast();  // after the last line end
    std::reverse(lines.begin(), lines.end());
    QCOMPARE(ReadFile(path), cliText.left(body) + lines.join('\n') + '\n');

    // Back in index order, over the first file after the question.
    Model()->SortColumn(IndexColumn);
    ScriptExportDialog(script, path, true);
    Command(ID_FILE_EXPORT)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(script.Unexpected(), 0);
    QCOMPARE(ReadFile(path), cliText);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void ListOutputTest::failedExportKeepsTheOldFile()
{
    StartPhone({{1, "Anna"}, {2, "Bert"}});
    NewApp();
    QTemporaryDir target;
    const QString path = target.filePath(QStringLiteral("old.txt"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("the user's old file\n");
    }

    // The disk fills up after the first bytes (a file size limit holds for root too).
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 10;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    DialogScript script;
    ScriptExportDialog(script, path, true).PressOk();
    Command(ID_FILE_EXPORT)->trigger();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(script.Done(), qPrintable(script.Seen().join(QLatin1Char('|'))));
    QCOMPARE(script.Seen().size(), 3);
    QCOMPARE(script.Seen()[2], QStringLiteral("box: The file \"%1\" could not be written.\n%2")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(EFBIG))));
    QCOMPARE(ReadFile(path), QByteArray("the user's old file\n"));
    QCOMPARE(QDir(target.path()).entryList(QDir::Files), QStringList{"old.txt"});  // no temporary left
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void ListOutputTest::findAndFindNextWithTheOneShotDialog()
{
    StartPhone({{1, "Anna"}, {2, "Bert"}, {3, "Carl"}});
    NewApp();
    FrameFind* find = app->Frame()->Find();
    Select(1);
    DialogScript script;

    // Before any search Find Next does nothing.
    Command(ID_SEARCH_FIND_NEXT)->trigger();
    QCOMPARE(SelectedNames(), QStringList{"Bert"});

    Command(ID_SEARCH_FIND)->trigger();
    CFindDlg* dialog = find->Dialog();
    QVERIFY(dialog != nullptr && dialog->isVisible() && !dialog->isModal());
    QVERIFY(dialog->DownButton()->isChecked());
    QVERIFY(!dialog->FindNextButton()->isEnabled());
    QTest::keyClicks(dialog->FindWhatEdit(), QStringLiteral("a"));
    QTest::mouseClick(dialog->FindNextButton(), Qt::LeftButton);
    QCOMPARE(find->Dialog(), nullptr);  // one request, then gone
    QCOMPARE(SelectedNames(), QStringList{"Carl"});
    Command(ID_SEARCH_FIND_NEXT)->trigger();
    QCOMPARE(SelectedNames(), QStringList{"Anna"});
    Command(ID_SEARCH_FIND_NEXT)->trigger();
    QCOMPARE(SelectedNames(), QStringList{"Carl"});

    // Opens again with what was remembered; a second Find keeps the one dialog.
    Command(ID_SEARCH_FIND)->trigger();
    dialog = find->Dialog();
    QCOMPARE(dialog->FindWhatEdit()->text(), QStringLiteral("a"));
    Command(ID_SEARCH_FIND)->trigger();
    QCOMPARE(find->Dialog(), dialog);

    // Closed with a text in it: one search upwards with match case, found nowhere.
    dialog->MatchCaseBox()->setChecked(true);
    dialog->UpButton()->setChecked(true);
    dialog->FindWhatEdit()->setText(QStringLiteral("ANNA"));
    script.PressOk();
    QTest::keyClick(dialog, Qt::Key_Escape);
    QCOMPARE(script.Seen(), QStringList{"box: No entry found."});
    QCOMPARE(SelectedNames(), QStringList());
    QCOMPARE(find->Dialog(), nullptr);
    QVERIFY(find->Remembered().matchCase);
    QVERIFY(!find->Remembered().searchDown);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    // Closing the window with the dialog open searches no more.
    Command(ID_SEARCH_FIND)->trigger();
    find->Dialog()->FindWhatEdit()->setText(QStringLiteral("zz"));
    app->Frame()->close();
    app->ExitInstance();
    app.reset();
    QCOMPARE(script.Seen().size(), 1);
}

void ListOutputTest::printToPdfPagesAndTexts()
{
    StartPhone({});
    NewApp();
    const int count = 150;
    for (int i = 0; i < count; ++i) {
        const std::string name = i == 1 ? "A name far too long for the column" : "Row " + QByteArray::number(i).rightJustified(3, '0').toStdString();
        Model()->AddItem(std::to_string(i + 1), "0301234", name);
    }
    QPrinter& printer = app->Frame()->View()->Printing()->Printer();
    const QString pdf = dir->filePath(QStringLiteral("book.pdf"));
    printer.setOutputFileName(pdf);

    DialogScript script;
    script.PressOk();  // the print dialog, as it is
    Command(ID_FILE_PRINT)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(script.Seen(), QStringList{"dialog: Print"});

    const int rows = RowsPerPage(printer.height(), QFontMetrics(QFont(), &printer).height());
    QVERIFY2(rows > 2 && rows < count, qPrintable(QString::number(rows)));
    const int pages = PageCount(count, rows);
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    QVERIFY(info.waitForFinished(30000));
    QVERIFY(QString::fromUtf8(info.readAllStandardOutput()).contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));

    auto row = [](int i) { return QStringLiteral("Row %1").arg(i, 3, 10, QLatin1Char('0')); };
    const QString first = PdfText(pdf, 1);
    for (const QString& text : {QStringLiteral("Ribodex Page: 1"), QStringLiteral("Name"), QStringLiteral("Number"),
                                QStringLiteral("Index"), row(0), row(rows - 1), QStringLiteral("A name far too l...")})
        QVERIFY2(first.contains(text), qPrintable(text + QStringLiteral(" not on page 1:\n") + first));
    QVERIFY(!first.contains(row(rows)));
    QVERIFY(!first.contains(QStringLiteral("long for")));
    const QString second = PdfText(pdf, 2);
    for (const QString& text : {QStringLiteral("Ribodex Page: 2"), row(rows), row(std::min(2 * rows, count) - 1)})
        QVERIFY2(second.contains(text), qPrintable(text + QStringLiteral(" not on page 2:\n") + second));
    QVERIFY(!second.contains(row(rows - 1)));

    // A page range from the print dialog: that page alone, and nothing past the last page.
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 2);
    QCOMPARE(app->Frame()->View()->Printing()->PrintPages(printer), 1);
    QVERIFY(PdfText(pdf, 1).contains(QStringLiteral("Ribodex Page: 2")));
    printer.setFromTo(pages, pages + 5);
    QCOMPARE(app->Frame()->View()->Printing()->PrintPages(printer), 1);
}

void ListOutputTest::printSetupReachesThePreviewInGerman()
{
    AppLanguage german(QLocale(QLocale::German, QLocale::Germany));
    StartPhone({});
    NewApp();
    QPrinter& printer = app->Frame()->View()->Printing()->Printer();
    auto rowsPerPage = [&] { return RowsPerPage(printer.height(), QFontMetrics(QFont(), &printer).height()); };
    const int portraitRows = rowsPerPage();

    DialogScript script;
    script.Then([](QWidget* modal) {
        QVERIFY(qobject_cast<QPageSetupDialog*>(modal) != nullptr);
        auto* landscape = modal->findChild<QRadioButton*>(QStringLiteral("landscape"));
        QVERIFY(landscape != nullptr);
        landscape->click();
        qobject_cast<QDialog*>(modal)->accept();
    });
    Command(ID_FILE_PRINT_SETUP)->trigger();
    QVERIFY(script.Done());
    const int landscapeRows = rowsPerPage();
    QVERIFY(landscapeRows < portraitRows);

    // Three pages on the paper turned by Print Setup; portrait would have made two.
    const int count = 2 * landscapeRows + 1;
    for (int i = 0; i < count; ++i)
        Model()->AddItem(std::to_string(i + 1), "0301234", "Eintrag");
    QCOMPARE(PageCount(count, portraitRows), 2);
    int shownPages = 0;
    script.Then([&](QWidget* modal) {
        auto* preview = modal->findChild<QPrintPreviewWidget*>();
        QVERIFY(preview != nullptr);
        shownPages = preview->pageCount();
        qobject_cast<QDialog*>(modal)->reject();
    });
    Command(ID_FILE_PRINT_PREVIEW)->trigger();
    QVERIFY(script.Done());
    QCOMPARE(script.Seen().last(), QStringLiteral("dialog: Druckvorschau"));
    QCOMPARE(shownPages, 3);
}

QTEST_MAIN(ListOutputTest)
#include "list_output_test.moc"
