#pragma once
// What goes wrong while reading or writing an archive, by kind.

#include <stdexcept>
#include <string>

enum class ArchiveError {
  EndOfStream,   // the stream ends before the item
  UnknownClass,  // a class name that is not registered
  WrongSchema,   // a stored schema number other than the class's
  BadIndex,      // a class or object index that is not (yet) defined
  WrongClass,    // an object of another class than the one required here
  BadString,     // a 16-bit string that code page 1252 cannot hold, or a text to write that it cannot hold
  NullObject,    // a null reference where an object is required
  SharedObject,  // a second reference to an object that is already owned elsewhere
};

class ArchiveException : public std::runtime_error {
 public:
  ArchiveException(ArchiveError error, const std::string& what) : std::runtime_error(what), m_error(error) {}
  ArchiveError Error() const { return m_error; }

 private:
  ArchiveError m_error;
};
