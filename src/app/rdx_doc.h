// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "core/formats/text_export.h"

namespace ribodex {

class CRdxView;
class CommandActions;

// The document: holds no phone book data (the device and the list view do) and is never
// modified, so closing never asks to save. It owns File > Export and reaches the list
// through its one view. The view and actions must outlive it. UI thread only.
class CRdxDoc : public QObject {
    Q_OBJECT

public:
    CRdxDoc(CRdxView* view, const CommandActions& actions, QObject* parent = nullptr);

    CRdxView* FirstView() const { return view; }
    bool IsModified() const { return false; }

    // File > Export: the save dialog (text files, suffix .txt, asks before replacing a
    // file; a second type writes UTF-8), then the file; a failure is shown in a message
    // naming the file.
    void OnFileExport();
    // Writes every item of the list, in its current order, as the export text (column
    // headers in the language of the user interface). The target is replaced only once the
    // whole text is written: on failure it is left as it was. A target that cannot be
    // replaced safely (other hard links, another owner, a folder we may not write to, not a
    // plain file) is written in place instead, and may be cut short by a failure. On failure
    // error (when given) holds the system's reason.
    bool ExportTo(const QString& path, QString* error = nullptr,
                  ExportEncoding encoding = ExportEncoding::Cp1252) const;

private:
    CRdxView* view;
};

}  // namespace ribodex
