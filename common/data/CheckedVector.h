#pragma once

// Vectors whose element access checks the index.
//
// An index outside the vector is a program error. It writes
// "err Vector外参照 [index] ( size , 16 )" to the error log and the report log,
// then acts by the vector's kind:
// - CheckedVector (the data model in the editor): the fatal error, which
//   destroys the editor's main window and stops every later save;
// - GuardedVector (shared services and the game): a posted close of the main
//   window, and the program goes on until it takes effect.
// Both then throw std::out_of_range when the vector is empty, else hand back
// element 0 so that the caller can finish its statement.
//
// The game runs the shared data model on its own threads, where an exception
// would end the program: its start-up switches the policy to Game, under which
// every checked vector acts as a guarded one and an empty vector yields a fresh
// default element instead of throwing.

#include <stdexcept>
#include <type_traits>
#include <vector>

enum class IndexErrorPolicy
{
    Editor,
    Game,
};

void SetIndexErrorPolicy(IndexErrorPolicy policy);
IndexErrorPolicy GetIndexErrorPolicy();

namespace detail
{

enum class IndexErrorAction
{
    Fatal,
    PostClose,
};

// Writes the report of an index error and takes the action. True when an
// access to an empty vector is to throw.
bool ReportIndexError(int index, std::size_t size, IndexErrorAction action);

template <class T, IndexErrorAction Action>
class IndexCheckedVector : public std::vector<T>
{
public:
    using std::vector<T>::vector;

    T& At(int index)
    {
        if (index >= 0 && static_cast<std::size_t>(index) < this->size())
        {
            return (*this)[static_cast<std::size_t>(index)];
        }
        return OutOfRange(index);
    }

    const T& At(int index) const { return const_cast<IndexCheckedVector*>(this)->At(index); }

    // The element count as the data files and the record code count it.
    int Count() const { return static_cast<int>(this->size()); }

private:
    T& OutOfRange(int index)
    {
        bool mayThrow = ReportIndexError(index, this->size(), Action);
        if (this->empty())
        {
            if constexpr (std::is_default_constructible_v<T> && std::is_move_assignable_v<T>)
            {
                if (!mayThrow)
                {
                    // Written through by the caller at most; each thread has its own.
                    thread_local T fallback;
                    fallback = T();
                    return fallback;
                }
            }
            throw std::out_of_range("invalid vector<T> subscript");
        }
        return this->front();
    }
};

} // namespace detail

template <class T>
using CheckedVector = detail::IndexCheckedVector<T, detail::IndexErrorAction::Fatal>;

template <class T>
using GuardedVector = detail::IndexCheckedVector<T, detail::IndexErrorAction::PostClose>;
