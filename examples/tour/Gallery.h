// The tour's output folder: one PNG per picture, an index page that shows them
// all with their captions, and a contact sheet with every picture on one image.
#ifndef TAVROKESSA_TOUR_GALLERY_H
#define TAVROKESSA_TOUR_GALLERY_H

#include <string>
#include <vector>

#include "Picture.h"

namespace tour {

using tkt::Image;

class Gallery {
public:
    explicit Gallery(std::string folder) : m_folder(std::move(folder)) {}

    // Creates the folder (and its parents) and removes the pictures of an earlier tour.
    bool Prepare();
    // Saves `image` as `name`.png. False when the file could not be written.
    bool Add(const std::string& name, const std::string& caption, const Image& image);
    // Writes index.html and contact-sheet.png.
    bool Finish();

    const std::string& Folder() const { return m_folder; }
    size_t Count() const { return m_shots.size(); }

private:
    struct Shot {
        std::string name;
        std::string caption;
        Image image;
    };

    std::string PathOf(const std::string& file) const;
    Image ContactSheet() const;

    std::string m_folder;
    std::vector<Shot> m_shots;
};

}  // namespace tour

#endif
