// The drawing surface the chart panel owns: TCanvas3D on the raster layer, drawing either straight
// onto the window's canvas or, during a frame, into an off-screen buffer that EndFrame copies to the
// window in one block. A repaint with nothing changed only copies the buffer again.
#pragma once

#include "chart/canvas/Canvas.h"
#include "chart/canvas/Canvas3D.h"

#include <functional>
#include <memory>
#include <vector>

namespace mouldview::chart {

class TChartCanvas3D : public TCanvas3D {
public:
    // A surface drawing on `windowCanvas` between frames. The canvas is not owned; it must outlive
    // the surface or be replaced with ReferenceCanvas first.
    explicit TChartCanvas3D(TCanvas& windowCanvas);
    ~TChartCanvas3D() override;

    // Points the surface at another window canvas (and makes it the target).
    void ReferenceCanvas(TCanvas& windowCanvas);
    // The canvas drawn on now: the window's between frames, the buffer's during a buffered frame.
    TCanvas& Target() const { return *m_target; }
    TCanvas& WindowCanvas() const { return *m_windowCanvas; }
    // The off-screen bitmap, or null while there is none.
    const raster::Bitmap* Buffer() const;
    // The rectangle of the last frame.
    const TRect& Bounds() const { return m_bounds; }
    // Called when a setting of the surface itself (Monochrome) needs the chart repainted.
    void SetOnRepaintRequest(std::function<void()> callback) { m_onRepaintRequest = std::move(callback); }

    // TChartCanvas
    TColor BackgroundColor() const override;
    TCanvasBackMode BackgroundMode() const override;
    raster::DeviceContext* Handle() const override { return &m_target->Handle(); }
    bool Monochrome() const override { return m_monochrome; }
    TColor Pixels(int x, int y) const override;
    bool SupportsTrue3D() const override { return false; }
    unsigned TextAlignment() const override;
    bool UseBuffer() const override { return m_useBuffer; }
    void SetBackgroundColor(TColor value) override;
    void SetBackgroundMode(TCanvasBackMode value) override;
    void SetMonochrome(bool value) override;
    void SetPixel(int x, int y, TColor color) override;
    void SetTextAlignment(unsigned flags) override;
    void SetUseBuffer(bool value) override;
    TPen& Pen() override { return m_target->Pen(); }
    TBrush& Brush() override { return m_target->Brush(); }
    TFont& Font() override { return m_target->Font(); }
    void ApplyPen(const TPen& pen, TColor color) override;
    std::unique_ptr<TCanvasBlend> BeginBlending(const TRect& rect, int transparency) override;
    void EndBlending(std::unique_ptr<TCanvasBlend> blend) override;
    void FillRect(const TRect& rect) override;
    void LineTo(int x, int y) override;
    void MoveTo(int x, int y) override;
    void Rectangle(int x0, int y0, int x1, int y1) override;
    using TChartCanvas::Rectangle;
    void TextOut(int x, int y, std::string_view text) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;
    void ClipToRect(const TRect& rect) override;
    void MarkDirty() override { m_bufferDirty = true; }
    void Polyline(std::span<const TPoint> points) override;
    void Polygon(std::span<const TPoint> points) override;
    void TextOutRotated(int x, int y, double angle, std::string_view text) override;
    void RemoveClip() override;

    // TCanvas3D
    TRect BeginFrame(TCanvas& canvas, const TView3DOptions* options, const TRect& rect, bool view3D,
                     TColor panelColor) override;
    void EndFrame(TCanvas& canvas, const TRect& rect) override;
    bool RepaintFromBuffer() override;
    bool BufferDirty() const override { return m_bufferDirty; }
    void FreeBuffer() override;

protected:
    void ClearExtendedPen() override { m_target->ClearExtendedPen(); }

private:
    void DrawPlainText(int x, int y, std::string_view text);
    const std::vector<raster::Point>& ToRasterPoints(std::span<const TPoint> points);

    TCanvas* m_windowCanvas;
    TCanvas* m_target;
    std::unique_ptr<TBitmapCanvas> m_buffer;
    bool m_useBuffer = true;
    bool m_bufferDirty = true;
    bool m_monochrome = false;
    TRect m_bounds;
    std::function<void()> m_onRepaintRequest;
    std::vector<raster::Point> m_pointScratch;
};

} // namespace mouldview::chart
