// SPDX-License-Identifier: GPL-3.0-or-later
// The knot or link diagram the user draws: points, the straight lines between
// them, their grouping into closed polygonal curves (groups), the over/under
// relation of every pair of lines and the crossing point of every crossing pair.
//
// Data model:
//   FPoints[i]   X, Y in canvas pixels and the group of point i, in plotting order
//   FLines[l]    StartIndex -> EndIndex (point indices) and the group of line l;
//                the order of the two ends is the direction of the curve
//   FGroupCount  number of closed groups; also the group number given to every
//                point and line added while it has this value
//   FOver[a][b]  true: line a passes over line b where they cross
//   FCross[a][b] the point where lines a and b cross, (0, 0) when they do not;
//                always what CrossPoint(a, b) gives for the current points
// Groups are numbered 0, 1, ... in the order they were begun; a group's points
// and lines have consecutive indices, and line l starts at point l and ends at
// point l + 1, except a closed group's last line, which ends at the group's
// first point. A closed group has at least 3 points. At most one group is open
// (being drawn): the last one, numbered FGroupCount, without its closing line.
// FOver[a][b] = !FOver[b][a] for a != b, FOver[a][a] = false; FCross is
// symmetric with a (0, 0) diagonal; both are FLineCount() x FLineCount().
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "diagram/EditState.h"
#include "diagram/Geometry.h"
#include "diagram/Perturbation.h"
#include "knot/Knot.h"

namespace ravelon {

// A plotted point: its coordinates and the group it belongs to.
struct TDrawPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t Group = 0;
    friend bool operator==(const TDrawPoint&, const TDrawPoint&) = default;
};

// A straight line from point StartIndex to point EndIndex.
struct TDrawLine {
    std::int32_t StartIndex = 0;
    std::int32_t EndIndex = 0;
    std::int32_t Group = 0;
    friend bool operator==(const TDrawLine&, const TDrawLine&) = default;
};

using TPoints = std::vector<TDrawPoint>;
using TLines = std::vector<TDrawLine>;

// The diagram with its editing operations, its crossing code and its file.
class TDraw {
public:
    TDraw() = default;

    std::int32_t FPointCount() const { return static_cast<std::int32_t>(FPoints.size()); }
    std::int32_t FLineCount() const { return static_cast<std::int32_t>(FLines.size()); }

    // Empties the diagram; the editing state is not touched.
    void Clear();
    // Appends a point of group FGroupCount.
    void AddPoint(TPoint P);
    // Appends the line A -> B of group FGroupCount; it passes over every older
    // line, and its crossings with them are computed.
    void AddLine(std::int32_t A, std::int32_t B);
    // Remove the last point / the last line (with its matrix row and column).
    void DeleteLastPoint();
    void DeleteLastLine();

    // Starts a new open group at P.
    void BeginGroup(TPoint P);
    // Adds P to the open group and the line to it from the previous point.
    void ExtendGroup(TPoint P);
    // Closes the open group when it has at least 3 points; false otherwise.
    bool CloseGroup();
    // One step back through the drawing (a line, a point, or a group's closing
    // line). Does nothing on an empty diagram.
    void Undo();

    // Toggles which of lines A and B passes over.
    void SwapCrossing(std::int32_t A, std::int32_t B);
    // Toggles every over/under relation.
    void ReverseAll();

    // The far end of the line leaving point I and the near end of the line
    // entering it; a side without such a line leaves its output alone.
    void GetNeighbours(std::int32_t I, TPoint& NextPt, TPoint& PrevPt) const;
    // Moves point I to P and recomputes the crossings of the lines at I.
    void MovePoint(std::int32_t I, TPoint P);
    // The crossing point of lines A and B by their current points, or (0, 0),
    // by the one rule for all drawings (diagram/Perturbation.h).
    TPoint CrossPoint(std::int32_t A, std::int32_t B) const;
    // Recomputes every entry of the crossing matrix from the points.
    void RecomputeAllCrossings();

    // Fills Knot (freshly created) with the crossing code of the closed
    // groups; the diagram is not changed.
    void MakeKnot(TKnot& Knot) const;

    // Writes the knot data file; the old file stays intact on failure.
    // Throws TFileError.
    void SaveToFile(const std::string& FileName, int Width, int Height) const;
    // Replaces the diagram by the file's content and hands back the stored
    // canvas size. On failure throws TFileError and the diagram is unchanged.
    void LoadFromFile(const std::string& FileName, int& Width, int& Height);
    // The same, reading the file's bytes from a stream.
    void LoadFromStream(std::istream& Stream, int& Width, int& Height);
    // The same, from the file's bytes.
    void LoadFromText(const std::string& Text, int& Width, int& Height);

    // Coordinates of point I; with its index, as the crossing rule takes it.
    TPoint PointAt(std::int32_t I) const;
    TSite SiteAt(std::int32_t I) const;

    std::int32_t FGroupCount = 0;
    TPoints FPoints;
    TLines FLines;
    std::vector<std::vector<bool>> FOver;
    std::vector<std::vector<TPoint>> FCross;

    friend bool operator==(const TDraw&, const TDraw&) = default;

private:
    void RecomputeCrossings(std::int32_t Line);
};

// The text written to a knot data file for the diagram D and the canvas size.
std::string KnotFileText(const TDraw& D, int Width, int Height);

}  // namespace ravelon
