#pragma once
// A verdict over its details: the verdict in large type beside an icon that
// says at a glance whether all is well, the details in a scrollable text that
// can be selected and copied whole.

#include <QDialog>

#include "ui/ui.h"

class ReportDialog final : public QDialog {
    Q_OBJECT

  public:
    ReportDialog(QWidget* parent, const QString& title, ReportTone tone, const QString& verdict,
                 const QString& details);
};
