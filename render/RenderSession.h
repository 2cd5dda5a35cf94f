#pragma once

#include "CheckFinding.h"
#include "DataFile.h"
#include "DrawingPictures.h"
#include "ModelReading.h"
#include "ProgramState.h"
#include "RenderOptions.h"
#include "RenderSurface.h"
#include "WireFrameDrawing.h"

#include <QByteArray>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvane {

// The main program's model, view and drawing, without its windows: one
// model after another is read and drawn with the command line's view and
// the settings' look.
class RenderSession {
public:
    // `program` holds the settings' values already; the options set the view.
    RenderSession(ProgramState& program, const RenderOptions& options);
    ~RenderSession();

    ProgramState& Program() { return program_; }
    WireFrameDrawing& Drawing() { return *drawing_; }
    PictureScreen Screen() const;

    ModelRead Read(const std::string& path);

    // What the checks know of the model read: the frequency of the command
    // line, or the model's own.
    CheckConditions Conditions() const;
    std::vector<CheckFinding> Check() const;

    // Draws at 1 : n from now on.
    void UseScale(int n);
    // The scale a picture of the model has: --scale as given, or for --fit
    // the largest that fits, for a thumbnail the largest of all that fits,
    // or 1 : 100 fitted into the scale list. Returns the problem when no
    // scale fits.
    std::string ChooseScale();

    // The picture file's bytes of the model at the scale in use. Throws as
    // MakeDrawingPictures does, and std::length_error for a bitmap of more
    // than MaxBitmapPixels.
    // With `markers`, the checks' markers at those findings are drawn in.
    QByteArray Picture(PictureFormat format,
                       const std::vector<CheckFinding>* markers = nullptr);

    static constexpr double MaxBitmapPixels = 1 << 28;

private:
    // The largest scale whose bitmap fits a square of `pixels`, listed or not.
    std::string FitAnyScale(int pixels);

    ProgramState& program_;
    const RenderOptions& options_;
    RenderSurface surface_;
    std::unique_ptr<WireFrameDrawing> drawing_;
    std::unique_ptr<DataFile> dataFile_;
};

// One session per worker of a batch, each on its own copy of the settings'
// values: workers share no model, drawing, canvas or font object, so that
// the toolkit's text rendering runs on each thread with objects of its own.
class RenderSessions {
public:
    // `settings` holds the settings' values and no model yet.
    RenderSessions(const ProgramState& settings, const RenderOptions& options, int count);
    ~RenderSessions();

    int Count() const { return int(sessions_.size()); }
    RenderSession& operator[](int worker) { return *sessions_[std::size_t(worker)]; }

private:
    std::vector<std::unique_ptr<ProgramState>> programs_;
    std::vector<std::unique_ptr<RenderSession>> sessions_;
};

}  // namespace quorvane
