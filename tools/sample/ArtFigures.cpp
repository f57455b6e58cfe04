#include "ArtFigures.h"

#include "Shading.h"
#include "SheetTable.h"

#include <cmath>
#include <vector>

namespace sample
{

namespace
{

// The colours of a person: what the map characters of the enemy side swap.
struct Outfit
{
    Shades cloth;
    Shades hair;
    Shades trim;
    int eye;
};

Outfit OutfitOf(FigureKind kind, bool enemySide)
{
    Outfit outfit{};
    switch (kind)
    {
    case FigureKind::Knight:
        outfit = {kClothBlue, kHairBrown, kGold, kClothBlue.Dark()};
        break;
    case FigureKind::Mage:
        outfit = {kClothPurple, kHairGold, kGold, kClothPurple.Dark()};
        break;
    case FigureKind::Archer:
        outfit = {kClothGreen, kBrick, kLeather, kClothGreen.Dark()};
        break;
    default:
        outfit = {kClothBlue, kHairBrown, kGold, kInk.Dark()};
        break;
    }
    if (enemySide)
    {
        outfit.cloth = kClothRed;
    }
    return outfit;
}

// Shapes of one figure drawn in a space that can be turned (a fallen figure
// lies on its back) and moved.
class Pen
{
public:
    Pen(Canvas& canvas, double pivotX, double pivotY, double angle, double dx, double dy)
        : m_Canvas(canvas), m_dPivotX(pivotX), m_dPivotY(pivotY), m_dCos(std::cos(angle)), m_dSin(std::sin(angle)),
          m_dX(dx), m_dY(dy)
    {
    }

    Point At(Point p) const
    {
        double x = p.x - m_dPivotX;
        double y = p.y - m_dPivotY;
        return {m_dPivotX + x * m_dCos - y * m_dSin + m_dX, m_dPivotY + x * m_dSin + y * m_dCos + m_dY};
    }
    void Stroke(Point a, Point b, double width, int colour)
    {
        Point p = At(a);
        Point q = At(b);
        m_Canvas.Stroke(p.x, p.y, q.x, q.y, width, colour);
    }
    void Circle(Point c, double r, int colour)
    {
        Point p = At(c);
        m_Canvas.FillCircle(p.x, p.y, r, colour);
    }
    void Polygon(std::vector<Point> points, int colour)
    {
        for (Point& p : points)
        {
            p = At(p);
        }
        m_Canvas.FillPolygon(points, colour);
    }
    void Dot(Point p, int colour)
    {
        Point q = At(p);
        m_Canvas.Set(static_cast<int>(std::floor(q.x)), static_cast<int>(std::floor(q.y)), colour);
    }

private:
    Canvas& m_Canvas;
    double m_dPivotX;
    double m_dPivotY;
    double m_dCos;
    double m_dSin;
    double m_dX;
    double m_dY;
};

Point Along(Point from, double angleFromDown, double length)
{
    return {from.x + std::sin(angleFromDown) * length, from.y + std::cos(angleFromDown) * length};
}

Point Offset(Point p, double dx, double dy)
{
    return {p.x + dx, p.y + dy};
}

// How a wolf looks: the common grey wolf, or the pack's leader in dusky fur
// with a golden crest on its brow.
struct WolfLook
{
    Shades fur;
    bool crest;
};

WolfLook WolfLookOf(FigureKind kind)
{
    return kind == FigureKind::WolfLeader ? WolfLook{kDusk, true} : WolfLook{kFur, false};
}

// The golden crest: three points over a band, its middle at (x, y), w wide.
void DrawCrest(Canvas& cell, double x, double y, double w)
{
    const double h = w * 0.6;
    cell.FillPolygon({{x - w / 2, y},
                      {x - w / 2, y - h},
                      {x - w / 4, y - h / 2},
                      {x, y - h * 1.2},
                      {x + w / 4, y - h / 2},
                      {x + w / 2, y - h},
                      {x + w / 2, y}},
                     kGold.Light());
    cell.Line(static_cast<int>(x - w / 2), static_cast<int>(y), static_cast<int>(x + w / 2), static_cast<int>(y),
              kGold.Dark());
    cell.Set(static_cast<int>(x), static_cast<int>(y - h * 0.4), kClothRed.Mid());
}

// The posture of a person in one battle frame (angles in radians; limbs from
// straight down, positive toward the front; the weapon from straight up).
struct Posture
{
    double hipX;
    double hipY;
    double lean;
    double frontLeg;
    double backLeg;
    double frontKnee;
    double backKnee;
    double frontArm;
    double backArm;
    double weapon;
    bool eyesClosed;
    bool fallen;
};

Posture PostureOf(int frame)
{
    switch (frame)
    {
    case kFrameStep:
        return {23, 32, 0.22, 0.55, -0.45, -0.35, 0.25, 0.95, -0.55, 0.9, false, false};
    case kFrameStrike:
        return {26, 32, 0.38, 0.7, -0.65, -0.2, 0.2, 1.65, -0.9, 1.57, false, false};
    case kFrameHurt:
        return {19, 32, -0.35, 0.35, -0.05, 0.1, 0.35, -0.35, -0.8, -0.6, true, false};
    case kFrameFallen:
        return {21, 31, 0.0, 0.15, -0.1, 0.0, 0.1, 0.2, -0.3, 2.2, true, true};
    default:
        return {21, 31, 0.06, 0.18, -0.14, 0.0, 0.1, 0.45, -0.25, 0.45, false, false};
    }
}

// A person in battle, facing right, in a 48 x 48 cell.
void DrawPersonInBattle(Canvas& cell, FigureKind kind, int frame)
{
    Outfit outfit = OutfitOf(kind, false);
    Posture p = PostureOf(frame);
    Pen pen(cell, p.hipX, p.hipY, p.fallen ? -M_PI / 2 : 0.0, p.fallen ? 3.0 : 0.0, p.fallen ? 12.0 : 0.0);

    Point hip{p.hipX, p.hipY};
    Point shoulder = Along(hip, M_PI - p.lean, 12);
    Point head = Along(shoulder, M_PI - p.lean, 6.5);
    Point frontKnee = Along(hip, p.frontLeg, 8);
    Point frontFoot = Along(frontKnee, p.frontLeg + p.frontKnee, 8);
    Point backKnee = Along(hip, p.backLeg, 8);
    Point backFoot = Along(backKnee, p.backLeg + p.backKnee, 8);
    Point frontElbow = Along(shoulder, p.frontArm, 6);
    Point frontHand = Along(frontElbow, p.frontArm + 0.3, 6);
    Point backElbow = Along(shoulder, p.backArm, 6);
    Point backHand = Along(backElbow, p.backArm + 0.3, 6);
    double perpX = std::cos(p.lean);
    double perpY = std::sin(p.lean);
    auto side = [&](Point c, double amount) { return Point{c.x + perpX * amount, c.y + perpY * amount}; };

    const int cloth = outfit.cloth.Mid();
    const int legColour = kind == FigureKind::Knight ? kSteel.Mid() : kLeather.Mid();

    // Behind the body: cape, quiver, back limbs.
    if (kind == FigureKind::Knight)
    {
        pen.Polygon({side(shoulder, -2), side(shoulder, -5), Offset(side(hip, -9), -2, 9), Offset(side(hip, -2), 0, 8)},
                    cloth);
    }
    if (kind == FigureKind::Archer)
    {
        pen.Stroke(side(shoulder, -4), Offset(side(hip, -6), 0, -2), 4, kLeather.Mid());
        pen.Stroke(Offset(side(shoulder, -4), 1, -4), side(shoulder, -4), 2, kLinen.Mid());
    }
    pen.Stroke(hip, backKnee, 4.5, legColour);
    pen.Stroke(backKnee, backFoot, 4, kLeather.Mid());
    pen.Stroke(backFoot, Offset(backFoot, 2.5, 0), 3, kBark.Mid());
    pen.Stroke(shoulder, backElbow, 3.5, kind == FigureKind::Knight ? kSteel.Mid() : cloth);
    pen.Stroke(backElbow, backHand, 3, kSkin.Mid());
    if (kind == FigureKind::Knight)
    {
        Point shield = Offset(backHand, -1, 0);
        pen.Polygon({Offset(shield, -5, -7), Offset(shield, 4, -7), Offset(shield, 4, 2), Offset(shield, -0.5, 8),
                     Offset(shield, -5, 2)},
                    outfit.cloth.Mid());
        pen.Stroke(Offset(shield, -0.5, -5), Offset(shield, -0.5, 5), 1.5, outfit.trim.Mid());
    }

    // Legs and body.
    pen.Stroke(hip, frontKnee, 4.5, legColour);
    pen.Stroke(frontKnee, frontFoot, 4, kLeather.Mid());
    pen.Stroke(frontFoot, Offset(frontFoot, 3, 0), 3, kBark.Mid());
    if (kind == FigureKind::Mage)
    {
        double bottom = std::max(frontFoot.y, backFoot.y) - 2;
        pen.Polygon(
            {side(shoulder, -4.5), side(shoulder, 4.5), Point{frontFoot.x + 4, bottom}, Point{backFoot.x - 4, bottom}},
            cloth);
        pen.Stroke(side(hip, -4), side(hip, 4.5), 2, outfit.trim.Mid());
    }
    else
    {
        int body = kind == FigureKind::Knight ? kSteel.Mid() : cloth;
        pen.Polygon({side(shoulder, -4.5), side(shoulder, 4.5), side(hip, 4), side(hip, -4)}, body);
        // A skirt below the belt.
        pen.Polygon({side(hip, -4.5), side(hip, 4.5), Offset(side(hip, 5.5), 0, 5), Offset(side(hip, -5.5), 0, 5)},
                    cloth);
        pen.Stroke(side(hip, -4), side(hip, 4), 2, kLeather.Mid());
        if (kind == FigureKind::Knight)
        {
            pen.Polygon({side(shoulder, 1), side(shoulder, 4.5), side(hip, 4), side(hip, 1)}, cloth);
        }
    }

    // Head.
    if (kind == FigureKind::Mage)
    {
        pen.Circle(Offset(head, -2.5, 2.5), 5.5, outfit.hair.Mid());
    }
    if (kind == FigureKind::Archer)
    {
        pen.Circle(Offset(head, -1.5, 0), 6.8, cloth);
    }
    pen.Circle(head, 5.5, kSkin.Mid());
    switch (kind)
    {
    case FigureKind::Knight:
        pen.Polygon({Offset(head, -6, 1), Offset(head, -6, -3), Offset(head, -2, -6.5), Offset(head, 4, -6),
                     Offset(head, 5.5, -2), Offset(head, 2, -3.5), Offset(head, -2, -1), Offset(head, -3, 2)},
                    outfit.hair.Mid());
        pen.Stroke(Offset(head, -4.5, -2.5), Offset(head, 4.5, -3.5), 1.5, outfit.cloth.Mid());
        break;
    case FigureKind::Mage:
        pen.Polygon({Offset(head, -8, -2.5), Offset(head, 8, -3.5), Offset(head, 6, -1.5), Offset(head, -7, -0.5)},
                    cloth);
        pen.Polygon({Offset(head, -5, -3), Offset(head, 4, -3.5), Offset(head, -4, -14), Offset(head, -9, -12)}, cloth);
        pen.Stroke(Offset(head, -5, -3.5), Offset(head, 4, -4), 1.5, outfit.trim.Mid());
        break;
    default:
        pen.Polygon({Offset(head, -7, 2), Offset(head, -6, -5), Offset(head, 0, -7.5), Offset(head, 5, -5),
                     Offset(head, 3, -3.5), Offset(head, -3, -2)},
                    cloth);
        pen.Stroke(Offset(head, 0, -3.5), Offset(head, 4.5, -2), 1.5, outfit.hair.Mid());
        break;
    }

    // The front arm and the weapon in its hand.
    pen.Stroke(shoulder, frontElbow, 3.5, kind == FigureKind::Knight ? kSteel.Mid() : cloth);
    pen.Stroke(frontElbow, frontHand, 3, kSkin.Mid());
    Point tipUp = Along(frontHand, M_PI - p.weapon, 1);
    double wx = tipUp.x - frontHand.x;
    double wy = tipUp.y - frontHand.y;
    auto weaponAt = [&](double t) { return Point{frontHand.x + wx * t, frontHand.y + wy * t}; };
    switch (kind)
    {
    case FigureKind::Knight:
        pen.Stroke(weaponAt(2), weaponAt(16), 2.5, kSteel.Mid());
        pen.Stroke(Point{weaponAt(2).x - wy * 3, weaponAt(2).y + wx * 3},
                   Point{weaponAt(2).x + wy * 3, weaponAt(2).y - wx * 3}, 2, outfit.trim.Mid());
        pen.Stroke(weaponAt(-2), weaponAt(1.5), 2, kLeather.Mid());
        break;
    case FigureKind::Mage:
        pen.Stroke(weaponAt(-10), weaponAt(15), 2.2, kBark.Mid());
        pen.Circle(weaponAt(16.5), frame == kFrameStrike ? 3.2 : 2.4, kEmber.Mid());
        break;
    default:
    {
        // The bow stands across the weapon direction; the string is pulled on a strike.
        Point top{frontHand.x - wy * 0 + wx * 0, frontHand.y};
        double bx = -wy;
        double by = wx;
        for (int i = -5; i < 5; ++i)
        {
            double a0 = i / 5.0;
            double a1 = (i + 1) / 5.0;
            Point q0{top.x + bx * a0 * 11 + wx * (1 - a0 * a0) * 4, top.y + by * a0 * 11 + wy * (1 - a0 * a0) * 4};
            Point q1{top.x + bx * a1 * 11 + wx * (1 - a1 * a1) * 4, top.y + by * a1 * 11 + wy * (1 - a1 * a1) * 4};
            pen.Stroke(q0, q1, 2, kLeather.Mid());
        }
        break;
    }
    }

    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height());

    // Details drawn over the shading.
    Point eye = Offset(head, 2.5, 0);
    if (p.eyesClosed)
    {
        pen.Stroke(Offset(eye, -0.5, 0), Offset(eye, 1.2, 0), 0.9, kInk.Dark());
    }
    else
    {
        pen.Dot(eye, kInk.Dark());
        pen.Dot(Offset(eye, 0, 1), kInk.Dark());
    }
    if (kind == FigureKind::Archer)
    {
        Point top{frontHand.x, frontHand.y};
        double bx = -wy;
        double by = wx;
        Point upper{top.x + bx * 11, top.y + by * 11};
        Point lower{top.x - bx * 11, top.y - by * 11};
        if (frame == kFrameStrike)
        {
            Point pull = Offset(shoulder, 1, 1);
            pen.Stroke(upper, pull, 0.8, kLinen.Light());
            pen.Stroke(lower, pull, 0.8, kLinen.Light());
            pen.Stroke(pull, weaponAt(9), 1.2, kSteel.Light());
        }
        else
        {
            pen.Stroke(upper, lower, 0.8, kLinen.Light());
        }
    }
    if (kind == FigureKind::Mage && frame == kFrameStrike)
    {
        pen.Circle(weaponAt(16.5), 1.2, kGlow);
    }
}

// A slime in battle.
void DrawSlimeInBattle(Canvas& cell, int frame)
{
    struct Shape
    {
        double cx, cy, rx, ry;
    };
    Shape s{24, 34, 15, 12};
    switch (frame)
    {
    case kFrameStep:
        s = {25, 36, 17, 10};
        break;
    case kFrameStrike:
        s = {30, 27, 13, 15};
        break;
    case kFrameHurt:
        s = {20, 38, 18, 8};
        break;
    case kFrameFallen:
        s = {24, 42, 20, 5};
        break;
    default:
        break;
    }
    cell.FillEllipse(s.cx, s.cy, s.rx, s.ry, kSlime.Mid());
    if (frame != kFrameFallen)
    {
        cell.FillEllipse(s.cx - 1, s.cy - s.ry * 0.7, s.rx * 0.55, s.ry * 0.6, kSlime.Mid());
    }
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height(), 2);
    cell.FillEllipse(s.cx - s.rx * 0.45, s.cy - s.ry * 0.45, s.rx * 0.22, s.ry * 0.18, kSlime.Light());
    cell.Set(static_cast<int>(s.cx - s.rx * 0.5), static_cast<int>(s.cy - s.ry * 0.55), kFoam.Light());
    double ex = s.cx + s.rx * 0.25;
    double ey = s.cy - s.ry * 0.15;
    if (frame == kFrameHurt || frame == kFrameFallen)
    {
        cell.Line(static_cast<int>(ex - 1), static_cast<int>(ey), static_cast<int>(ex + 1), static_cast<int>(ey),
                  kInk.Dark());
        cell.Line(static_cast<int>(ex + 5), static_cast<int>(ey), static_cast<int>(ex + 7), static_cast<int>(ey),
                  kInk.Dark());
    }
    else
    {
        cell.FillEllipse(ex, ey, 1.5, 2.5, kInk.Dark());
        cell.FillEllipse(ex + 6, ey, 1.5, 2.5, kInk.Dark());
        cell.Set(static_cast<int>(ex), static_cast<int>(ey - 1), kFoam.Light());
        cell.Set(static_cast<int>(ex + 6), static_cast<int>(ey - 1), kFoam.Light());
        cell.Line(static_cast<int>(ex + 1), static_cast<int>(ey + 4), static_cast<int>(ex + 5),
                  static_cast<int>(ey + 4), kSlime.Dark());
    }
}

// A wolf in battle, facing right.
void DrawWolfInBattle(Canvas& cell, int frame, const WolfLook& look)
{
    const Shades fur = look.fur;
    double shift = frame == kFrameStrike ? 1 : frame == kFrameHurt ? -3 : 0;
    double headDrop = frame == kFrameStrike ? 4 : frame == kFrameHurt ? -3 : 0;
    if (frame == kFrameFallen)
    {
        cell.FillEllipse(23, 39, 15, 6, fur.Mid());
        cell.FillCircle(38, 38, 5.5, fur.Mid());
        cell.FillPolygon({{41, 36}, {47, 39}, {41, 41}}, fur.Mid());
        cell.Stroke(9, 38, 2, 33, 4, fur.Mid());
        for (int i = 0; i < 4; ++i)
        {
            cell.Stroke(16 + i * 5, 43, 19 + i * 5, 46, 2.5, fur.Mid());
        }
        cell.FillPolygon({{34, 34}, {37, 29}, {39, 34}}, fur.Mid());
        ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height(), 1);
        cell.Line(37, 37, 39, 39, kInk.Dark());
        cell.Line(39, 37, 37, 39, kInk.Dark());
        if (look.crest)
        {
            DrawCrest(cell, 35, 35, 5);
        }
        return;
    }
    double spread = frame == kFrameStep ? 3 : frame == kFrameStrike ? 4 : 0;
    // Legs: short and strong, with paws.
    const double hips[4][2] = {{13, -1.5}, {17, 0.5}, {29, -0.5}, {33, 1.5}};
    for (const auto& leg : hips)
    {
        double top = leg[0] + shift;
        double foot = top + leg[1] * spread;
        cell.Stroke(top, 33, foot, 44, 4, fur.Mid());
        cell.FillEllipse(foot + 1, 44.5, 2.5, 1.5, fur.Mid());
    }
    // Tail, body, chest.
    cell.Stroke(9 + shift, 28, 2 + shift, frame == kFrameHurt ? 32 : 21, 5, fur.Mid());
    cell.FillEllipse(21 + shift, 31, 14, 8, fur.Mid());
    cell.FillEllipse(31 + shift, 28 + headDrop * 0.3, 7.5, 8.5, fur.Mid());
    // Head, ears and snout.
    double hx = 37 + shift;
    double hy = 20 + headDrop;
    cell.FillCircle(hx, hy, 6.5, fur.Mid());
    cell.FillPolygon({{hx - 4, hy - 4}, {hx - 2, hy - 11}, {hx + 1, hy - 4}}, fur.Mid());
    if (frame == kFrameStrike)
    {
        cell.FillPolygon({{hx + 2, hy - 2}, {hx + 11, hy}, {hx + 3, hy + 2}}, fur.Mid());
        cell.FillPolygon({{hx + 2, hy + 3}, {hx + 10, hy + 6}, {hx + 1, hy + 6}}, fur.Mid());
    }
    else
    {
        cell.FillPolygon({{hx + 2, hy - 2}, {hx + 10, hy + 2}, {hx + 9, hy + 4}, {hx + 1, hy + 4}}, fur.Mid());
    }
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height(), 1);
    // Belly, eye, nose, teeth.
    cell.FillEllipse(22 + shift, 36, 8, 1.6, fur.Light());
    cell.Set(static_cast<int>(hx + 1), static_cast<int>(hy - 1), frame == kFrameHurt ? kInk.Dark() : kEmber.Light());
    cell.Set(static_cast<int>(hx + 2), static_cast<int>(hy - 1), kInk.Dark());
    if (frame == kFrameStrike)
    {
        cell.Set(static_cast<int>(hx + 10), static_cast<int>(hy), kInk.Dark());
        cell.Line(static_cast<int>(hx + 4), static_cast<int>(hy + 2), static_cast<int>(hx + 8),
                  static_cast<int>(hy + 2), kLinen.Light());
        cell.Line(static_cast<int>(hx + 4), static_cast<int>(hy + 3), static_cast<int>(hx + 8),
                  static_cast<int>(hy + 4), kBrightRed);
    }
    else
    {
        cell.Set(static_cast<int>(hx + 9), static_cast<int>(hy + 2), kInk.Dark());
    }
    if (look.crest)
    {
        // A mane of paler fur down the neck, the crest on the brow.
        for (int i = 0; i < 4; ++i)
        {
            cell.Stroke(hx - 5 - i * 2.5, hy + 2 + i * 2.5, hx - 8 - i * 2.5, hy + 5 + i * 2.5, 1.5, fur.Light());
        }
        DrawCrest(cell, hx - 1, hy - 5, 6);
    }
}

// --- Faces ---

void DrawPersonFace(Canvas& cell, FigureKind kind)
{
    Outfit outfit = OutfitOf(kind, false);
    // Hair or hood behind the head.
    if (kind == FigureKind::Mage)
    {
        cell.FillEllipse(24, 27, 14.5, 17, outfit.hair.Mid());
    }
    if (kind == FigureKind::Archer)
    {
        cell.FillEllipse(24, 21, 15, 16, outfit.cloth.Mid());
    }
    // Shoulders and neck.
    cell.FillEllipse(24, 54, 22, 15, kind == FigureKind::Knight ? kSteel.Mid() : outfit.cloth.Mid());
    if (kind == FigureKind::Knight)
    {
        cell.FillPolygon({{14, 42}, {34, 42}, {30, 48}, {18, 48}}, outfit.cloth.Mid());
    }
    if (kind == FigureKind::Mage)
    {
        cell.FillPolygon({{17, 40}, {31, 40}, {24, 48}}, outfit.trim.Mid());
    }
    cell.FillRect(19, 31, 10, 10, kSkin.Mid());
    // Head and ears.
    cell.FillEllipse(13.5, 24, 2.2, 3, kSkin.Mid());
    cell.FillEllipse(34.5, 24, 2.2, 3, kSkin.Mid());
    cell.FillEllipse(24, 22, 10.5, 12, kSkin.Mid());
    switch (kind)
    {
    case FigureKind::Knight:
        cell.FillEllipse(24, 14, 12, 8.5, outfit.hair.Mid());
        cell.FillPolygon({{12, 15}, {36, 15}, {35, 19}, {31, 16}, {28, 19}, {24, 16}, {20, 19}, {16, 16}, {13, 20}},
                         outfit.hair.Mid());
        cell.FillRect(12, 16, 3, 8, outfit.hair.Mid());
        cell.FillRect(33, 16, 3, 8, outfit.hair.Mid());
        break;
    case FigureKind::Mage:
        cell.FillPolygon({{13, 17}, {35, 17}, {34, 21}, {29, 18}, {24, 21}, {19, 18}, {14, 21}}, outfit.hair.Mid());
        cell.FillEllipse(24, 12, 17, 3.5, outfit.cloth.Mid());
        cell.FillPolygon({{14, 11}, {34, 11}, {30, 3}, {22, -2}, {17, 1}}, outfit.cloth.Mid());
        cell.FillRect(15, 8, 18, 2, outfit.trim.Mid());
        break;
    default:
        cell.FillPolygon({{14, 18}, {34, 18}, {32, 13}, {24, 10}, {16, 13}}, outfit.hair.Mid());
        cell.FillPolygon({{15, 17}, {33, 17}, {31, 20}, {27, 17}, {22, 20}, {18, 17}, {16, 21}}, outfit.hair.Mid());
        cell.FillPolygon({{10, 20}, {14, 8}, {24, 4}, {34, 8}, {38, 20}, {34, 14}, {24, 9}, {14, 14}},
                         outfit.cloth.Mid());
        break;
    }
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height(), 2);

    // Eyes, brows, nose and mouth.
    for (int side = 0; side < 2; ++side)
    {
        int x = side == 0 ? 18 : 27;
        cell.FillRect(x, 23, 4, 3, kLinen.Light());
        cell.FillRect(x + (side == 0 ? 1 : 1), 23, 2, 3, outfit.eye);
        cell.Set(x + 1, 23, kHighlight);
        cell.FillRect(x, 22, 4, 1, kInk.Dark());
        cell.FillRect(x, 20, 4, 1, outfit.hair.Dark());
    }
    cell.Set(24, 27, kSkin.Dark());
    cell.Set(24, 28, kSkin.Dark());
    cell.FillRect(22, 31, 5, 1, kBrick.Mid());
}

void DrawSlimeFace(Canvas& cell)
{
    cell.FillEllipse(24, 32, 21, 15, kSlime.Mid());
    cell.FillEllipse(23, 20, 13, 11, kSlime.Mid());
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height(), 2);
    cell.FillEllipse(13, 20, 4, 3, kSlime.Light());
    cell.FillRect(11, 19, 2, 1, kFoam.Light());
    cell.FillEllipse(17, 28, 2.5, 4, kInk.Dark());
    cell.FillEllipse(31, 28, 2.5, 4, kInk.Dark());
    cell.Set(16, 26, kFoam.Light());
    cell.Set(30, 26, kFoam.Light());
    cell.Line(20, 35, 22, 37, kSlime.Dark());
    cell.Line(22, 37, 26, 37, kSlime.Dark());
    cell.Line(26, 37, 28, 35, kSlime.Dark());
}

void DrawWolfFace(Canvas& cell, const WolfLook& look)
{
    const Shades fur = look.fur;
    cell.FillPolygon({{6, 2}, {17, 12}, {8, 20}}, fur.Mid());
    cell.FillPolygon({{42, 2}, {31, 12}, {40, 20}}, fur.Mid());
    cell.FillEllipse(24, 44, 20, 10, fur.Mid());
    cell.FillEllipse(24, 25, 15, 14, fur.Mid());
    cell.FillEllipse(24, 35, 8.5, 7, kLinen.Mid());
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height(), 2);
    cell.FillPolygon({{8, 6}, {14, 12}, {9, 16}}, kBlossom.Dark());
    cell.FillPolygon({{40, 6}, {34, 12}, {39, 16}}, kBlossom.Dark());
    for (int side = 0; side < 2; ++side)
    {
        int x = side == 0 ? 15 : 29;
        cell.FillPolygon({{double(x), 24}, {double(x + 5), 22}, {double(x + 5), 25}, {double(x + 1), 26}},
                         kEmber.Light());
        cell.Set(x + 3, 24, kInk.Dark());
        cell.FillRect(x, 21, 5, 1, fur.Dark());
    }
    cell.FillEllipse(24, 31, 3, 2, kInk.Dark());
    cell.Line(24, 33, 24, 36, kInk.Mid());
    cell.Line(24, 36, 20, 38, kInk.Mid());
    cell.Line(24, 36, 28, 38, kInk.Mid());
    if (look.crest)
    {
        // An old scar over the left eye, the crest on the brow.
        cell.Line(14, 17, 20, 28, kBrightRed);
        DrawCrest(cell, 24, 18, 12);
    }
}

// --- Map characters ---

void DrawPersonChip(Canvas& cell, FigureKind kind, bool enemySide)
{
    Outfit outfit = OutfitOf(kind, enemySide);
    int cloth = outfit.cloth.Mid();
    // Weapon behind the arm, shield in front.
    if (kind == FigureKind::Mage)
    {
        cell.Stroke(26, 6, 26, 30, 2, kBark.Mid());
    }
    if (kind == FigureKind::Archer)
    {
        for (int i = 0; i < 8; ++i)
        {
            double a0 = -1 + i / 4.0;
            double a1 = -1 + (i + 1) / 4.0;
            cell.Stroke(25 + (1 - a0 * a0) * 3, 19 + a0 * 9, 25 + (1 - a1 * a1) * 3, 19 + a1 * 9, 2, kLeather.Mid());
        }
    }
    // Legs, body, arms.
    cell.FillRect(12, 24, 3, 6, kLeather.Mid());
    cell.FillRect(17, 24, 3, 6, kLeather.Mid());
    if (kind == FigureKind::Mage)
    {
        cell.FillPolygon({{10, 17}, {22, 17}, {25, 30}, {7, 30}}, cloth);
    }
    else
    {
        cell.FillPolygon({{10, 17}, {22, 17}, {23, 26}, {9, 26}}, kind == FigureKind::Knight ? kSteel.Mid() : cloth);
        if (kind == FigureKind::Knight)
        {
            cell.FillPolygon({{13, 18}, {19, 18}, {20, 26}, {12, 26}}, cloth);
        }
        cell.FillRect(9, 23, 14, 2, kLeather.Mid());
    }
    cell.FillEllipse(8.5, 21, 2.5, 4, kind == FigureKind::Knight ? kSteel.Mid() : cloth);
    cell.FillEllipse(23.5, 21, 2.5, 4, kind == FigureKind::Knight ? kSteel.Mid() : cloth);
    // Head and hair.
    if (kind == FigureKind::Mage)
    {
        cell.FillEllipse(16, 14, 9, 7, outfit.hair.Mid());
    }
    cell.FillEllipse(16, 11.5, 7.5, 7, kSkin.Mid());
    switch (kind)
    {
    case FigureKind::Knight:
        cell.FillEllipse(16, 7.5, 8, 5, outfit.hair.Mid());
        cell.FillPolygon({{8, 8}, {24, 8}, {23, 11}, {20, 9}, {16, 11}, {12, 9}, {9, 12}}, outfit.hair.Mid());
        cell.FillRect(9, 6, 14, 2, cloth);
        break;
    case FigureKind::Mage:
        cell.FillEllipse(16, 6, 11, 2.5, cloth);
        cell.FillPolygon({{10, 6}, {22, 6}, {18, -2}, {13, 0}}, cloth);
        cell.FillRect(10, 4, 12, 1, outfit.trim.Mid());
        break;
    default:
        cell.FillPolygon({{7, 13}, {9, 4}, {16, 1}, {23, 4}, {25, 13}, {22, 8}, {16, 5}, {10, 8}}, cloth);
        cell.FillPolygon({{10, 8}, {22, 8}, {21, 10}, {16, 9}, {11, 10}}, outfit.hair.Mid());
        break;
    }
    // Sword and shield of the knight.
    if (kind == FigureKind::Knight)
    {
        cell.Stroke(26.5, 5, 26.5, 19, 2, kSteel.Mid());
        cell.FillRect(24, 19, 6, 2, outfit.trim.Mid());
        cell.FillEllipse(6, 22, 4, 5.5, cloth);
    }
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height());
    cell.FillRect(13, 12, 1, 2, kInk.Dark());
    cell.FillRect(18, 12, 1, 2, kInk.Dark());
    if (kind == FigureKind::Mage)
    {
        cell.FillCircle(26, 5, 2.2, kEmber.Light());
    }
    if (kind == FigureKind::Knight)
    {
        cell.Set(6, 22, outfit.trim.Light());
    }
    if (kind == FigureKind::Archer)
    {
        cell.Line(25, 10, 25, 28, kLinen.Mid());
    }
}

void DrawSlimeChip(Canvas& cell)
{
    cell.FillEllipse(16, 23, 12, 8, kSlime.Mid());
    cell.FillEllipse(16, 17, 7, 6, kSlime.Mid());
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height());
    cell.FillRect(9, 18, 2, 2, kSlime.Light());
    cell.FillRect(12, 19, 2, 3, kInk.Dark());
    cell.FillRect(19, 19, 2, 3, kInk.Dark());
    cell.Set(12, 19, kFoam.Light());
    cell.Set(19, 19, kFoam.Light());
}

void DrawWolfChip(Canvas& cell, const WolfLook& look)
{
    const Shades fur = look.fur;
    cell.Stroke(26, 21, 30, 13, 3, fur.Mid());
    cell.FillEllipse(18, 22, 10, 6, fur.Mid());
    for (int x : {11, 15, 21, 25})
    {
        cell.FillRect(x, 25, 2, 5, fur.Mid());
    }
    cell.FillEllipse(11, 15, 7, 6, fur.Mid());
    cell.FillPolygon({{5, 13}, {6, 5}, {10, 11}}, fur.Mid());
    cell.FillPolygon({{12, 10}, {16, 4}, {17, 12}}, fur.Mid());
    cell.FillEllipse(9, 19, 3.5, 2.5, kLinen.Mid());
    ShadeMaterials(cell, 0, 0, cell.Width(), cell.Height());
    cell.Set(8, 14, kEmber.Light());
    cell.Set(13, 14, kEmber.Light());
    cell.Set(8, 18, kInk.Dark());
    cell.Set(9, 18, kInk.Dark());
    if (look.crest)
    {
        DrawCrest(cell, 11, 11, 6);
    }
}

// Draws into a cell of its own, outlines it and puts it on the sheet.
template <class Draw> void InCell(Canvas& canvas, int x, int y, int size, int outline, Draw draw)
{
    Canvas cell(size, size);
    draw(cell);
    cell.Outline(outline);
    canvas.Blit(cell, x, y);
}

// Runs the drawing of the kind: a slime, a wolf or a person.
template <class Slime, class Wolf, class Person> void ByKind(FigureKind kind, Slime slime, Wolf wolf, Person person)
{
    if (kind == FigureKind::Slime)
    {
        slime();
    }
    else if (kind == FigureKind::Wolf || kind == FigureKind::WolfLeader)
    {
        wolf();
    }
    else
    {
        person();
    }
}

} // namespace

FigureKind FigureOfGraphic(int graphic)
{
    switch (graphic)
    {
    case 2:
        return FigureKind::Mage;
    case 3:
        return FigureKind::Archer;
    case 4:
        return FigureKind::Slime;
    case 5:
        return FigureKind::Wolf;
    case 6:
        return FigureKind::WolfLeader;
    default:
        return FigureKind::Knight;
    }
}

void DrawFace(Canvas& canvas, int x, int y, FigureKind kind)
{
    InCell(canvas, x, y, kFaceSize, kInk.Dark(),
           [&](Canvas& cell)
           {
               ByKind(
                   kind, [&] { DrawSlimeFace(cell); }, [&] { DrawWolfFace(cell, WolfLookOf(kind)); },
                   [&] { DrawPersonFace(cell, kind); });
           });
}

void DrawBattleFigure(Canvas& canvas, int x, int y, FigureKind kind, int frame)
{
    InCell(canvas, x, y, kFaceSize, kInk.Dark(),
           [&](Canvas& cell)
           {
               ByKind(
                   kind, [&] { DrawSlimeInBattle(cell, frame); },
                   [&] { DrawWolfInBattle(cell, frame, WolfLookOf(kind)); },
                   [&] { DrawPersonInBattle(cell, kind, frame); });
           });
}

void DrawMapCharacter(Canvas& canvas, int x, int y, FigureKind kind, bool enemySide)
{
    InCell(canvas, x, y, kChipSize, enemySide ? kClothRed.Dark() : kInk.Dark(),
           [&](Canvas& cell)
           {
               ByKind(
                   kind, [&] { DrawSlimeChip(cell); }, [&] { DrawWolfChip(cell, WolfLookOf(kind)); },
                   [&] { DrawPersonChip(cell, kind, enemySide); });
           });
}

void DrawWalker(Canvas& canvas, int x, int y, Facing facing, int frame)
{
    if (facing == Facing::Left)
    {
        Canvas right(kChipSize, kChipSize);
        DrawWalker(right, 0, 0, Facing::Right, frame);
        canvas.Blit(right.MirroredLeftRight(), x, y);
        return;
    }
    const Outfit outfit = OutfitOf(FigureKind::Knight, false);
    InCell(canvas, x, y, kChipSize, kInk.Dark(),
           [&](Canvas& cell)
           {
               int step = frame == 0 ? 1 : -1;
               if (facing == Facing::Right)
               {
                   cell.Stroke(16, 22, 16 + 3 * step, 29, 3.5, kLeather.Mid());
                   cell.Stroke(16, 22, 16 - 3 * step, 29, 3.5, kLeather.Mid());
                   cell.FillPolygon({{11, 16}, {19, 16}, {20, 25}, {10, 25}}, kSteel.Mid());
                   cell.FillPolygon({{10, 16}, {13, 16}, {9, 27}, {6, 26}}, outfit.cloth.Mid());
                   cell.Stroke(16, 18, 16 + 3 * step, 24, 3, kSteel.Mid());
                   cell.FillEllipse(16, 10.5, 7, 6.5, kSkin.Mid());
                   cell.FillPolygon({{9, 12}, {9, 5}, {15, 2.5}, {22, 5}, {23, 8}, {17, 7}, {14, 10}, {12, 13}},
                                    outfit.hair.Mid());
                   ShadeMaterials(cell, 0, 0, kChipSize, kChipSize);
                   cell.FillRect(20, 10, 1, 2, kInk.Dark());
                   return;
               }
               cell.FillRect(12, 23, 3, 7 - (step > 0 ? 1 : 0), kLeather.Mid());
               cell.FillRect(17, 23, 3, 7 - (step < 0 ? 1 : 0), kLeather.Mid());
               cell.FillPolygon({{10, 16}, {22, 16}, {23, 25}, {9, 25}}, kSteel.Mid());
               cell.FillEllipse(8.5, 20 + step, 2.5, 4, kSteel.Mid());
               cell.FillEllipse(23.5, 20 - step, 2.5, 4, kSteel.Mid());
               if (facing == Facing::Up)
               {
                   cell.FillPolygon({{9, 16}, {23, 16}, {25, 27}, {7, 27}}, outfit.cloth.Mid());
                   cell.FillEllipse(16, 10.5, 7.5, 7, outfit.hair.Mid());
                   ShadeMaterials(cell, 0, 0, kChipSize, kChipSize);
                   return;
               }
               cell.FillPolygon({{13, 17}, {19, 17}, {20, 25}, {12, 25}}, outfit.cloth.Mid());
               cell.FillEllipse(16, 10.5, 7.5, 7, kSkin.Mid());
               cell.FillEllipse(16, 6.5, 8, 5, outfit.hair.Mid());
               cell.FillPolygon({{8, 7}, {24, 7}, {23, 10}, {20, 8}, {16, 10}, {12, 8}, {9, 11}}, outfit.hair.Mid());
               ShadeMaterials(cell, 0, 0, kChipSize, kChipSize);
               cell.FillRect(13, 11, 1, 2, kInk.Dark());
               cell.FillRect(18, 11, 1, 2, kInk.Dark());
           });
}

Canvas DrawCharacterSheet(int width, int height)
{
    Canvas sheet(width, height);
    for (int g = 1; g <= kClassGraphics; ++g)
    {
        FigureKind kind = FigureOfGraphic(g);
        DrawFace(sheet, 0, g * kFaceSize, kind);
        DrawFace(sheet, g * kFaceSize, 0, kind);
        for (int f = 0; f < kBattleFrames; ++f)
        {
            DrawBattleFigure(sheet, (1 + f) * kFaceSize, g * kFaceSize, kind, f);
        }
    }
    return sheet;
}

Canvas DrawMapCharaSheet(int width, int height)
{
    Canvas sheet(width, height);
    for (int g = 1; g <= kClassGraphics; ++g)
    {
        FigureKind kind = FigureOfGraphic(g);
        DrawMapCharacter(sheet, 0, g * kChipSize, kind, false);
        DrawMapCharacter(sheet, kChipSize, g * kChipSize, kind, true);
    }
    return sheet;
}

} // namespace sample
