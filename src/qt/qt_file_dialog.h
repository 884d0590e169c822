// The main window's one file dialog: Open and Save share the path chosen last.
#pragma once

#include <QString>

#include "platform/platform.h"

class QWidget;

namespace zw {

class QtFileDialog final : public FileDialog {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }
    std::optional<std::string> ShowOpen(std::string_view title, std::string_view filter) override;
    std::optional<std::string> ShowSave(std::string_view title, std::string_view filter,
                                        const std::vector<std::string>& ownFiles = {},
                                        std::string_view startName = {}) override;

    // "Description|*.ext|..." as Qt's "Description (*.ext);;..."; the patterns of one entry
    // are separated by ";", as the common dialog takes them.
    static QString QtFilter(std::string_view filter);

private:
    QWidget* parent_ = nullptr;
    QString lastPath_;
};

}  // namespace zw
