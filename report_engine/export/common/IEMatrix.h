#pragma once

#include <QString>
#include <memory>
#include <vector>

class TfrxComponent;

// A text object as the layout grid holds it: its place in report units and its text
// (each wrapped line followed by CR LF). A piece cut from a partly covered object
// links to that object.
struct TfrxIEMObject {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    QString Memo;
    int Counter = 0; // 1 once its text has been written
    TfrxIEMObject* Link = nullptr;
};

// An object's place in the grid: its top-left cell and its size in cells.
struct TfrxIEMObjectList {
    int x = 0;
    int y = 0;
    int dx = 0;
    int dy = 0;
    TfrxIEMObject* Obj = nullptr;
    bool Done = false;
};

// Lays a grid over the objects of one prepared page: every object edge becomes a
// column or row position, and each object covers the cells between its edges, so
// that a page turns into rows of cells for exports that write tables.
class TfrxIEMatrix {
public:
    double Inaccuracy = 0.5; // edges closer than this fall into one position

    void Clear();
    void AddObject(const TfrxComponent& object);
    void Prepare();
    int Width() const { return static_cast<int>(FXPos.size()); }
    int Height() const { return static_cast<int>(FYPos.size()); }
    // The object of the placement in that cell, or none.
    TfrxIEMObject* GetObject(int x, int y) const;

private:
    static void addPos(std::vector<double>& positions, double position);
    void orderPosArray(std::vector<double>& positions) const;
    static int quickFind(const std::vector<double>& positions, double value);
    static int cellsCovered(const std::vector<double>& positions, int first, double end);
    void orderByCells();
    void render();
    void analyse();
    void findRectArea(int x, int y, int& width, int& height) const;
    void cutObject(int placement, int x, int y, int width, int height);
    int& cell(int x, int y) { return FMatrix[static_cast<size_t>(y * Width() + x)]; }
    int cell(int x, int y) const { return FMatrix[static_cast<size_t>(y * Width() + x)]; }

    TfrxIEMObject& newObject();

    // The objects of the page are the first FUsed; the others wait for the next
    // page, with the room of their texts, so a page costs no allocation per object.
    std::vector<std::unique_ptr<TfrxIEMObject>> FObjects;
    size_t FUsed = 0;
    std::vector<TfrxIEMObjectList> FIEMObjectList;
    std::vector<double> FXPos;
    std::vector<double> FYPos;
    std::vector<int> FMatrix; // per cell: a placement's index, or -1
};
