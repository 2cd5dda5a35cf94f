#include "FormMain.h"

#include "CheckMarkers.h"
#include "FormDataTable.h"
#include "LiveChecks.h"

namespace quorvane {

void FormMain::CheckMarkersChanged()
{
    OverlayChanged();
}

void FormMain::AddCheckMarkersPart()
{
    overlay_.AddPart(OverlayLevel::Markers, [this](OverlayLayer& layer,
                                                   const ScreenPlacement& screen) {
        const ViewParameters& view = program_.View;
        if (!view.ShowCheckMarkers || !dataTable_ || program_.Table.CompleteLineCount == 0)
            return;
        AddCheckMarkers(layer, screen, dataTable_->Checks().Findings(), view.WarningColor);
    });
}

}  // namespace quorvane
