#include "chart/triangle.h"

void updateHue() {
    ChartState& chart = app.chart;
    const int n = app.settings.gridSize;
    chart.slice = indexOfPosition(app.settings.slicePos, n);
    // Each component is rounded on its own, so in the odd sectors the
    // falling one may differ by one from the hexagon's rim at the same place.
    const int rising = roundHalfAway(chart.slice * chart.colorStep);
    const int falling = roundHalfAway((n - chart.slice) * chart.colorStep);
    switch (app.settings.sector) {
    case 0: chart.hueR = 0;       chart.hueG = 255;     chart.hueB = rising;  break;
    case 1: chart.hueR = 0;       chart.hueG = falling; chart.hueB = 255;     break;
    case 2: chart.hueR = rising;  chart.hueG = 0;       chart.hueB = 255;     break;
    case 3: chart.hueR = 255;     chart.hueG = 0;       chart.hueB = falling; break;
    case 4: chart.hueR = 255;     chart.hueG = rising;  chart.hueB = 0;       break;
    case 5: chart.hueR = falling; chart.hueG = 255;     chart.hueB = 0;       break;
    default: break;
    }
    // Each column moves every component evenly toward white, reaching it at
    // column N.
    chart.tintStepR = chart.colorStep - (double)chart.hueR / n;
    chart.tintStepG = chart.colorStep - (double)chart.hueG / n;
    chart.tintStepB = chart.colorStep - (double)chart.hueB / n;
}

void triangleColumnColor(int i, int& red, int& green, int& blue) {
    const ChartState& chart = app.chart;
    red = chart.hueR + roundHalfAway(i * chart.tintStepR);
    green = chart.hueG + roundHalfAway(i * chart.tintStepG);
    blue = chart.hueB + roundHalfAway(i * chart.tintStepB);
}

COLORREF triangleDotColor(int i, int j) {
    int red = 0;
    int green = 0;
    int blue = 0;
    triangleColumnColor(i, red, green, blue);
    const int shade = roundHalfAway(j * app.chart.halfColorStep);
    return makeColor(red - shade, green - shade, blue - shade);
}
