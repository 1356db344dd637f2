// The drawing surface with depth: every operation that takes a depth z maps its points through
// ProjectPoint and then does the flat operation. With the chart's 3D view off the projection is the
// identity and z is ignored. Also declares the frame life cycle of the off-screen buffer.
#pragma once

#include "chart/canvas/ChartCanvas.h"
#include "chart/canvas/View3DOptions.h"

namespace mouldview::chart {

class TCanvas;

class TCanvas3D : public TChartCanvas {
public:
    // --- Projection ---------------------------------------------------------------------------------
    // Window pixel of the point (x, y) at depth z: (x, y) itself unless the surface is in 3D or
    // orthogonal mode.
    virtual TPoint ProjectPoint(int x, int y, int z) const;
    // The inverse: the (x, y) at depth z that shows at window pixel (x, y); the identity in 2D.
    virtual void Calculate2DPosition(int& x, int& y, int z) const;
    // Sets up the projection for a frame of depth `maxDepth` (nothing to set up in 2D).
    virtual void Projection(int maxDepth, const TRect& bounds, const TRect& rect);
    // While suspended (counted), points are not projected; used around panel backgrounds.
    void SuspendProjection() { ++m_projectionSuspended; }
    void ResumeProjection() {
        if (m_projectionSuspended > 0) {
            --m_projectionSuspended;
        }
    }
    bool Is3D() const { return m_is3D; }
    bool Orthogonal() const { return m_orthogonal; }
    double ZoomFactor() const { return m_zoomFactor; }
    bool ZoomText() const { return m_zoomText; }

    // --- Frames -------------------------------------------------------------------------------------
    // Starts a frame into `canvas` over `rect`; returns the rectangle to draw the chart in (the
    // whole buffer when buffering, `rect` itself otherwise).
    virtual TRect BeginFrame(TCanvas& canvas, const TView3DOptions* options, const TRect& rect, bool view3D,
                             TColor panelColor) = 0;
    // Ends the frame: the buffer is copied to `canvas` at rect's top-left and becomes clean; the
    // window's canvas is the target again.
    virtual void EndFrame(TCanvas& canvas, const TRect& rect) = 0;
    // Copies a clean buffer to the current target and returns true; returns false (and copies
    // nothing) when the buffer is dirty or absent, and the caller must draw a full frame.
    virtual bool RepaintFromBuffer() = 0;
    virtual bool BufferDirty() const = 0;
    // Frees the off-screen bitmap; the next frame creates it again.
    virtual void FreeBuffer() = 0;

    // --- Operations at depth ------------------------------------------------------------------------
    virtual TColor Pixel3D(int x, int y, int z) const;
    // SetPixel with a 1-pixel pen, otherwise a zero-length line with the current pen in `color`.
    virtual void SetPixel3D(int x, int y, int z, TColor color);
    virtual void MoveTo3D(int x, int y, int z);
    virtual void LineTo3D(int x, int y, int z);
    virtual void LineWithZ(int x0, int y0, int x1, int y1, int z);
    virtual void HorizLine3D(int x0, int x1, int y, int z);
    virtual void VertLine3D(int x, int y0, int y1, int z);
    // A line from depth z0 to depth z1 at (x, y).
    virtual void ZLine3D(int x, int y, int z0, int z1);
    // The four-point polygon through (x0, y0), (x1, y0), (x1, y1), (x0, y1): unlike Rectangle its
    // outline passes through x1 and y1.
    virtual void RectangleWithZ(const TRect& rect, int z);
    // A four-point polygon at depth z.
    virtual void Plane3D(const TPoint& p0, const TPoint& p1, const TPoint& p2, const TPoint& p3, int z);
    virtual void TextOut3D(int x, int y, int z, std::string_view text);
    virtual void RotateLabel3D(int x, int y, int z, std::string_view text, double angle);

protected:
    void SetProjectionState(bool is3D, bool orthogonal, double zoomFactor) {
        m_is3D = is3D;
        m_orthogonal = orthogonal;
        m_zoomFactor = zoomFactor;
    }

private:
    bool m_is3D = false;
    bool m_orthogonal = false;
    double m_zoomFactor = 1.0;
    bool m_zoomText = true;
    int m_projectionSuspended = 0;
};

} // namespace mouldview::chart
