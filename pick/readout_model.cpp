#include "pick/readout_model.h"

#include "core/state.h"

int panelMid() {
    return (app.layout.panelLeft + app.layout.panelRight) / 2;
}
