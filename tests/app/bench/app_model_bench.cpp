// SPDX-License-Identifier: GPL-3.0-or-later
// Fill and sort time of the list with 10,000 entries, as the window shows them (model and
// report view attached). Run: app_model_bench [-iterations N]
#include <QHeaderView>
#include <QTreeView>
#include <QtTest>

#include "app/list/phone_book_model.h"

using namespace ribodex;

class AppModelBench : public QObject {
    Q_OBJECT

private slots:
    void fill10000();
    void sortByName10000();
    void sortByIndex10000();

private:
    static void Fill(PhoneBookModel& model);
    static void SortFilled(int column);
};

void AppModelBench::Fill(PhoneBookModel& model)
{
    model.DeleteAllItems();
    for (int i = 1; i <= 10000; ++i) {
        const std::string index = std::to_string(i);
        const std::string name = "Name " + std::to_string((i * 7919) % 10007);
        model.AddItem(index, "+49171" + index, name);
    }
}

void AppModelBench::fill10000()
{
    PhoneBookModel model;
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setModel(&model);
    view.resize(400, 600);
    view.show();
    QBENCHMARK {
        Fill(model);
    }
    QCOMPARE(model.rowCount(), 10000);
}

// Sorting a filled list shown in the report view, as a header click does.
void AppModelBench::SortFilled(int column)
{
    PhoneBookModel model;
    QTreeView view;
    view.setUniformRowHeights(true);
    view.setModel(&model);
    view.show();
    Fill(model);
    QBENCHMARK {
        model.SortColumn(column);
    }
}

void AppModelBench::sortByName10000() { SortFilled(0); }

void AppModelBench::sortByIndex10000() { SortFilled(2); }

QTEST_MAIN(AppModelBench)
#include "app_model_bench.moc"
