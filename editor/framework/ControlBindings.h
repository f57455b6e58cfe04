#pragma once

// The binding descriptors: what a dialog's constructor fills for each wrapper
// and its Attach reads when the dialog's window is made. Each begins with the
// control id (m_nId; a numeric edit's is its edit's), and every Set keeps only
// its low 16 bits.

#include "common/data/CheckedVector.h"
#include "platform/window/WindowHandle.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

constexpr uint32_t ControlIdBits(int id)
{
    return static_cast<uint32_t>(id) & 0xFFFF;
}

struct PlainControlBinding
{
    uint32_t m_nId = 0;

    void Set(int id) { m_nId = ControlIdBits(id); }
};

struct CheckBoxBinding
{
    uint32_t m_nId = 0;
    int32_t* m_pValue = nullptr;

    void Set(int id, int32_t* value)
    {
        m_nId = ControlIdBits(id);
        m_pValue = value;
    }
};

struct ComboBoxBinding
{
    uint32_t m_nId = 0;
    int32_t* m_pValue = nullptr;
    // Texts up to the first empty one (a vocabulary table), or null.
    const char* const* m_pItemTable = nullptr;
    // Every element a text, or null.
    const std::vector<std::string>* m_pItemVector = nullptr;
    int32_t m_nBase = 0;
    // The value of each row, or null: then a row's value is base + row.
    const std::vector<int32_t>* m_pValueTable = nullptr;

    void Set(int id, int32_t* value, const std::vector<std::string>* items, int32_t base,
             const std::vector<int32_t>* values)
    {
        m_nId = ControlIdBits(id);
        m_pValue = value;
        m_pItemTable = nullptr;
        m_pItemVector = items;
        m_nBase = base;
        m_pValueTable = values;
    }
    void SetItemTable(int id, int32_t* value, const char* const* table, int32_t base)
    {
        m_nId = ControlIdBits(id);
        m_pValue = value;
        m_pItemTable = table;
        m_pItemVector = nullptr;
        m_nBase = base;
        m_pValueTable = nullptr;
    }
};

template <class T>
struct NumberEditBinding
{
    uint32_t m_nId = 0; // the edit
    T* m_pValue = nullptr;
    T m_Minimum = T();
    T m_Maximum = T();
    int32_t m_nReserved = 0; // every caller passes 0; never read
    uint32_t m_nSpinId = 0;  // 0: no spin
    T m_Unit = T();          // the step of one spin click

    void Set(int id, T* value, T minimum, T maximum, int32_t reserved, int spinId, T unit)
    {
        m_nId = ControlIdBits(id);
        m_pValue = value;
        m_Minimum = minimum;
        m_Maximum = maximum;
        m_nReserved = reserved;
        m_nSpinId = ControlIdBits(spinId);
        m_Unit = unit;
    }
};

struct TextEditBinding
{
    uint32_t m_nId = 0;
    std::string* m_pText = nullptr;
    int32_t m_nReadCount = 0;   // limit + 1; 0 means 512
    int32_t m_nLineWidth = 0;   // characters; 0 means 1024
    int32_t m_nMaxLines = 0;    // 0 means 32
    int32_t m_bDoubleByte = 0;
    int32_t m_nFurther[4] = {};     // copied by Attach, never read
    int32_t m_bRefuseWideLines = 0; // a line wider than the width is refused with a beep, not broken

    // A single-line text of at most limit characters (double-byte) or limit bytes.
    void Set(int id, std::string* text, int limit, int doubleByte)
    {
        m_nId = ControlIdBits(id);
        m_pText = text;
        m_nReadCount = limit + 1;
        m_nLineWidth = doubleByte ? limit : 0;
        m_nMaxLines = 1;
        m_bDoubleByte = doubleByte;
    }
};

struct BitmapControlBinding
{
    uint32_t m_nId = 0;
    int32_t m_nWidth = 0; // 0 and 0: the template's size
    int32_t m_nHeight = 0;

    void Set(int id, int width, int height)
    {
        m_nId = ControlIdBits(id);
        m_nWidth = width;
        m_nHeight = height;
    }
};

struct SpinControlBinding
{
    uint32_t m_nId = 0;
    platform::WindowHandle m_hBuddy;
    int32_t* m_pValue = nullptr;
    int32_t m_nStep = 0;
    int32_t m_nMinimum = 0;
    int32_t m_nMaximum = 0;
    int32_t m_nReserved = 0;

    void Set(int id, platform::WindowHandle buddy, int32_t* value, int step, int minimum, int maximum, int reserved)
    {
        m_nId = ControlIdBits(id);
        m_hBuddy = buddy;
        m_pValue = value;
        m_nStep = step;
        m_nMinimum = minimum;
        m_nMaximum = maximum;
        m_nReserved = reserved;
    }
};

struct ScrollBarBinding
{
    uint32_t m_nId = 0;
    // The window whose own bar is meant; null: the scroll-bar control itself.
    platform::WindowHandle* m_pWindow = nullptr;
    int32_t m_nBar = 0; // kSbHorz or kSbVert, only with a window
    int32_t m_nReserved = 0;
    int32_t m_nMinimum = 0;
    int32_t m_nMaximum = 0;
    int32_t m_nPage = 0;
    int32_t m_bRedraw = 0;
};

// How a ListBox<T> shows and edits a vector of T. Row r shows element base +
// r of the working vector; the elements below the base are kept but never
// shown or edited.
template <class T>
struct ListBoxBinding
{
    // Writes the text of one row: the element's index (the base counted) and the element.
    using RowText = std::function<void(std::string& out, int index, const T& element)>;

    uint32_t m_nId = 0;
    int32_t m_nContainerKind = 1;   // the containers are vectors of T (the only kind there is)
    CheckedVector<T>* m_pBound = nullptr;   // what the dialog's data holds; null: the owner keeps only the working vector
    CheckedVector<T>* m_pWorking = nullptr; // what the rows show and the commands edit
    T* m_pSelected = nullptr;       // receives a copy of the selected element; may be null
    int32_t m_bNumbered = 0;        // rows begin with a zero-padded row number
    int32_t m_nMinimum = 0;         // delete and cut refuse at base + minimum elements
    int32_t m_nMaximum = 0;         // paste, add and insert refuse at base + maximum elements
    int32_t m_nBase = 0;            // the index of the element row 0 shows
    int32_t m_bTrailer = 0;         // a row of 64 '-' follows the last element
    int32_t m_bNoSelection = 0;     // the list may stand without a selected row
    RowText m_RowText;

    void Set(int id, CheckedVector<T>* bound, CheckedVector<T>* working, T* selected, int numbered, int minimum,
             int maximum, int base, int trailer, int noSelection, RowText rowText)
    {
        m_nId = ControlIdBits(id);
        m_nContainerKind = 1;
        m_pBound = bound;
        m_pWorking = working;
        m_pSelected = selected;
        m_bNumbered = numbered;
        m_nMinimum = minimum;
        m_nMaximum = maximum;
        m_nBase = base;
        m_bTrailer = trailer;
        m_bNoSelection = noSelection;
        m_RowText = std::move(rowText);
    }
};
