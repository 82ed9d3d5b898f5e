#pragma once

// The link between the plug-in base and its editor: the operations the base calls on an
// attached editor. The graphics core provides the real editor class.
class IGraphics {
public:
    virtual ~IGraphics() = default;

    virtual void ShowParamValue(int paramIndex, double value, bool normalised) = 0;
    virtual void PrepareDrawing() = 0;
    virtual void StartEditEndCountdown(int ticks) = 0;
    virtual void CancelEditEndCountdown() = 0;
    virtual int FrameRate() const = 0;
};
