#pragma once

#include <algorithm>
#include <type_traits>
#include <vector>

#include "base/CCRef.h"

NS_CC_BEGIN

// An ordered container that owns one reference on each element.
template <class T>
class Vector
{
public:
    using iterator = typename std::vector<T>::iterator;
    using const_iterator = typename std::vector<T>::const_iterator;
    using reverse_iterator = typename std::vector<T>::reverse_iterator;
    using const_reverse_iterator = typename std::vector<T>::const_reverse_iterator;

    Vector() = default;
    explicit Vector(ssize_t capacity) { _data.reserve(static_cast<size_t>(capacity)); }
    ~Vector()
    {
        // Checked here, where the element type is complete.
        static_assert(std::is_convertible<T, Ref*>::value, "Vector holds Ref-derived pointers only");
        clear();
    }

    Vector(const Vector& other) : _data(other._data) { retainAll(); }
    Vector(Vector&& other) noexcept : _data(std::move(other._data)) { other._data.clear(); }
    Vector& operator=(const Vector& other)
    {
        if (this != &other)
        {
            clear();
            _data = other._data;
            retainAll();
        }
        return *this;
    }
    Vector& operator=(Vector&& other) noexcept
    {
        if (this != &other)
        {
            clear();
            _data = std::move(other._data);
            other._data.clear();
        }
        return *this;
    }

    iterator begin() { return _data.begin(); }
    const_iterator begin() const { return _data.begin(); }
    iterator end() { return _data.end(); }
    const_iterator end() const { return _data.end(); }
    reverse_iterator rbegin() { return _data.rbegin(); }
    const_reverse_iterator rbegin() const { return _data.rbegin(); }
    reverse_iterator rend() { return _data.rend(); }
    const_reverse_iterator rend() const { return _data.rend(); }

    void reserve(ssize_t n) { _data.reserve(static_cast<size_t>(n)); }
    ssize_t capacity() const { return static_cast<ssize_t>(_data.capacity()); }
    ssize_t size() const { return static_cast<ssize_t>(_data.size()); }
    bool empty() const { return _data.empty(); }

    ssize_t getIndex(T object) const
    {
        auto it = std::find(_data.begin(), _data.end(), object);
        return it == _data.end() ? -1 : static_cast<ssize_t>(it - _data.begin());
    }
    const_iterator find(T object) const { return std::find(_data.begin(), _data.end(), object); }
    iterator find(T object) { return std::find(_data.begin(), _data.end(), object); }

    T at(ssize_t index) const { return _data.at(static_cast<size_t>(index)); }
    T front() const { return _data.front(); }
    T back() const { return _data.back(); }
    bool contains(T object) const { return find(object) != _data.end(); }
    const std::vector<T>& getData() const { return _data; }

    void pushBack(T object)
    {
        _data.push_back(object);
        object->retain();
    }
    void pushBack(const Vector<T>& other)
    {
        for (T object : other)
        {
            pushBack(object);
        }
    }
    void insert(ssize_t index, T object)
    {
        _data.insert(_data.begin() + index, object);
        object->retain();
    }
    void popBack()
    {
        T last = _data.back();
        _data.pop_back();
        last->release();
    }
    void eraseObject(T object, bool removeAll = false)
    {
        for (auto it = _data.begin(); it != _data.end();)
        {
            if (*it == object)
            {
                it = _data.erase(it);
                object->release();
                if (!removeAll)
                {
                    break;
                }
            }
            else
            {
                ++it;
            }
        }
    }
    iterator erase(iterator position)
    {
        T object = *position;
        auto next = _data.erase(position);
        object->release();
        return next;
    }
    iterator erase(ssize_t index) { return erase(_data.begin() + index); }
    void clear()
    {
        std::vector<T> old;
        old.swap(_data);
        for (T object : old)
        {
            object->release();
        }
    }
    void replace(ssize_t index, T object)
    {
        object->retain();
        T old = _data.at(static_cast<size_t>(index));
        _data[static_cast<size_t>(index)] = object;
        old->release();
    }
    void reverse() { std::reverse(_data.begin(), _data.end()); }

private:
    void retainAll()
    {
        for (T object : _data)
        {
            object->retain();
        }
    }

    std::vector<T> _data;
};

NS_CC_END
