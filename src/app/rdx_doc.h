#pragma once

#include <QObject>

namespace ribodex {

class CRdxView;

// The document: holds no phone book data (the device and the list view do) and is never
// modified, so closing never asks to save. It is the way from the document's commands
// (Export, with its own change) to the one view. The view must outlive it. UI thread only.
class CRdxDoc : public QObject {
    Q_OBJECT

public:
    explicit CRdxDoc(CRdxView* view, QObject* parent = nullptr) : QObject(parent), view(view) {}

    CRdxView* FirstView() const { return view; }
    bool IsModified() const { return false; }

private:
    CRdxView* view;
};

}  // namespace ribodex
