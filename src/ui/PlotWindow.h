// The plot window: the XSN or box-whisker plot of the two samples, with
// menus to change its labels, scale, font and line width, to print it and to
// save it as an image.
#pragma once

#include "graphics/Plot.h"
#include "ui/Printing.h"

#include <QFont>
#include <QMainWindow>

#include <functional>
#include <optional>

class QAction;

namespace zx {

struct AnalysisRecord;
class Dialogs;

// The plot, filling the widget whatever its size.
class PlotCanvas : public QWidget {
    Q_OBJECT
public:
    PlotCanvas(const PlotSettings& settings, const PlottedSamples& samples, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const PlotSettings& settings_;
    const PlottedSamples& samples_;
};

class PlotWindow : public QMainWindow {
    Q_OBJECT
public:
    PlotWindow(const AnalysisRecord& record, Dialogs& dialogs, QWidget* parent = nullptr);

    // False when the arithmetic guard stopped the computation: there is no
    // plot to show then.
    bool hasPlot() const { return samples_.has_value(); }
    const PlotSettings& settings() const { return settings_; }
    PlotCanvas* canvas() const { return canvas_; }

    // The font dialog; tests answer it. Nothing: cancelled.
    std::function<std::optional<QFont>(const QFont& current, QWidget* parent)> chooseFont;
    // The file an image is saved to; tests answer it. Nothing: cancelled.
    std::function<std::optional<QString>(QWidget* parent)> askImageFile;
    // How "Drucken" reaches a printer or a PDF file; tests set the file.
    PrintTarget printTarget;
    PrintOutcome lastPrint = PrintOutcome::Cancelled;

public slots:
    void mnuFilePrint_Click();
    void mnuFileSaveImage_Click();
    void mnuFileExit_Click();
    void mnuFileTitel_Click();
    void mnuFileYskala_Click();
    void mnuFileYachse_Click();
    void mnuFileXAchse_Click();
    void mnuFileFonts_Click();
    void mnuLinie_Click();
    void mnuFileHilfe1_Click();
    void mnuBoxWisker_Click();
    void mnuXSNPlot_Click();
    void mnuFileHilfe2_Click();

private:
    void buildMenus();
    // After every change: the range found afresh unless fixed, and the plot
    // drawn again.
    void redraw();

    Dialogs& dialogs_;
    PlotSettings settings_;
    std::optional<PlottedSamples> samples_;
    PlotCanvas* canvas_ = nullptr;
    QAction* mnuBoxWisker = nullptr;
};

} // namespace zx
