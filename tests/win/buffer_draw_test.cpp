// Rectangles and straight lines written into the back buffer's bits must set
// exactly the pixels FillRect and LineTo set, across the buffer's edges.
#include <gtest/gtest.h>

#include "paint/buffer_write_win.h"
#include "paint_canvas.h"

namespace {

class BufferDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedShell = shell;
        drawn = createCanvas(Width, Height);
        written = createCanvas(Width, Height);
        fillCanvas(drawn, 0x203040);
        fillCanvas(written, 0x203040);
    }
    void TearDown() override {
        shell = savedShell;
        destroyCanvas(drawn);
        destroyCanvas(written);
    }
    void useWritten() { useCanvasAsBackBuffer(written); }

    static const int Width = 40;
    static const int Height = 30;
    Shell savedShell;
    PaintCanvas drawn = {};
    PaintCanvas written = {};
};

const int Coordinates[] = {-7, -1, 0, 1, 13, 29, 30, 31, 39, 40, 45};

TEST_F(BufferDrawTest, RectanglesSetWhatFillRectSets) {
    COLORREF colour = 0x10;
    for (int left : Coordinates) {
        for (int right : Coordinates) {
            if (right <= left)
                continue;
            for (int top : Coordinates) {
                for (int bottom : Coordinates) {
                    if (bottom <= top)
                        continue;
                    colour = (colour * 2654435761u + 7u) & 0xFFFFFF;
                    RECT r = {left, top, right, bottom};
                    HBRUSH brush = CreateSolidBrush(colour);
                    FillRect(drawn.dc, &r, brush);
                    DeleteObject(brush);
                    useWritten();
                    ASSERT_TRUE(writeBufferRect(left, top, right, bottom, colour));
                }
            }
        }
    }
    EXPECT_EQ(snapshot(drawn), snapshot(written));
}

TEST_F(BufferDrawTest, LinesSetWhatLineToSets) {
    const COLORREF colours[] = {0xFFFFFF, 0x000000};
    int k = 0;
    for (int a : Coordinates) {
        for (int b : Coordinates) {
            for (int at : Coordinates) {
                const COLORREF colour = colours[++k % 2];
                SelectObject(drawn.dc, GetStockObject(colour ? WHITE_PEN : BLACK_PEN));
                MoveToEx(drawn.dc, a, at, nullptr);
                LineTo(drawn.dc, b, at);         // level
                MoveToEx(drawn.dc, at, a, nullptr);
                LineTo(drawn.dc, at, b);         // upright
                useWritten();
                ASSERT_TRUE(writeBufferLine(a, at, b, at, colour));
                ASSERT_TRUE(writeBufferLine(at, a, at, b, colour));
            }
            ASSERT_EQ(snapshot(drawn), snapshot(written)) << a << " to " << b;
        }
    }
}

TEST_F(BufferDrawTest, WhatItDoesNotCoverIsLeftToGdi) {
    useWritten();
    EXPECT_FALSE(writeBufferRect(10, 10, 10, 20, 0xFF));
    EXPECT_FALSE(writeBufferRect(10, 20, 15, 10, 0xFF));
    EXPECT_FALSE(writeBufferLine(0, 0, 5, 5, 0xFF));
    drawLiterallyOn(written);
    EXPECT_FALSE(writeBufferRect(0, 0, 5, 5, 0xFF));
    EXPECT_FALSE(writeBufferLine(0, 0, 5, 0, 0xFF));
    EXPECT_EQ(snapshot(drawn), snapshot(written));
}

}  // namespace
