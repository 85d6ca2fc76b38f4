// Apart from main_form.cpp: the message loop's yield is each host's own, which the forms' tests do without.
#include "app/core/settings_location.h"
#include "app/forms/main_form.h"
#include "platform/system/message_loop.h"

namespace morvane::app {

MainServices system_services(const std::filesystem::path& program_folder, FileDialog& dialog, MessageBox& messages,
                             WindowEffects& fx, texture::TextureModule& texture,
                             std::function<LoadedPicture(const std::filesystem::path&)> load_picture) {
    MainServices services;
    services.program_folder = settings_folder_for(program_folder);
    services.dialog = &dialog;
    services.messages = &messages;
    services.fx = &fx;
    services.texture = &texture;
    services.load_picture = std::move(load_picture);
    services.yield = yield_to_message_loop;
    services.write_vmt = write_material;
    services.find_games = game_folders_through_steam;
    return services;
}

}  // namespace morvane::app
