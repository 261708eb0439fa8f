#include "app/multi_lang.h"

#include <array>

namespace {

struct Pair {
    std::string english, russian;
};

const std::array<Pair, RMultiLang::kPairCount>& Table()
{
    static const std::array<Pair, RMultiLang::kPairCount> table = {{
        {"Well logs viewer", "Визуализатор данных каротажа"},
        {"Scale", "Масштаб"},
        {"Open las-file", "Открыть las-файл"},
        {"Save", "Сохранить"},
        {"Inscribe", "Вписать"},
        {"Information", "Информация"},
        {"About", "О программе"},
        {"Help", "Помощь"},
        {"Update", "Обновить"},
        {"Map calculator", "Калькулятор карт"},
        {"Curve name:", "Название кривой:"},
        {"Formula:", "Формула:"},
        {"Cancel", "Отмена"},
        {"Cross-plot", "Кроссплот"},
        {"Choose the curves for plotting the crossplot", "Выберите кривые для построения кроссплота"},
        {"X-axis", "Ось X"},
        {"Y-axis", "Ось Y"},
        {"Color", "Цвет"},
        {"First gradient color", "Первый цвет градиента"},
        {"Second gradient color", "Второй цвет градиента"},
        {"Marker size", "Размер маркера"},
        {"Marker type", "Тип маркера"},
        {"Circle", "Круг"},
        {"Square", "Квадрат"},
        {"Diamond", "Ромб"},
        {"Triangle", "Треугольник"},
        {"Curve", "Кривая"},
        {"Appearance", "Настройки внешнего вида"},
        {"Color", "Цвет"},
        {"Track", "Трек"},
        {"Fill", "Заливка"},
        {"Note", "Заметки"},
        {"No fill", "Без заливки"},
        {"Fill by constant", "Относительно константы"},
        {"Fill by curve", "Относительно кривой"},
        {"Constant", "Константа"},
        {"Fill settings", "Настройки заливки"},
        {"Fill color", "Цвет заливки"},
        {"Fill condition", "Условия заливки"},
        {"More or equal", "Больше или равно"},
        {"Less or equal", "Меньше или равно"},
        {"Less than", "Меньше чем"},
        {"Greater than", "Больше чем"},
        {"Full Fill", "Залить полностью"},
        {"Fill From", "Залить относительно"},
        {"Depth", "Глубина"},
        {"Curves", "Кривые"},
        {"Mini map", "Мини-карта"},
        {"Cannot open the file ", "Ошибка открытия файла "},
        {"The file has no curves: ", "В файле нет ни одной кривой: "},
        {"The file has no data rows: ", "В файле нет ни одной строки данных: "},
        {"Notes on reading %1:", "Замечания при чтении файла %1:"},
        {"Reading %1…", "Чтение файла %1…"},
        {"No LAS file is open", "Не открыт ни один LAS-файл"},
        {"Cannot write the file ", "Ошибка записи файла "},
        {"Notes on writing %1:", "Замечания при записи файла %1:"},
        {"… %1 more", "… ещё %1"},
        {"LAS files (*.las);;All files (*)", "Las файлы (*.las);;Все файлы (*)"},
        {"Go to depth", "Перейти к глубине"},
        {"Depth to show:", "Показать глубину:"},
        {"Update system", "Система обновлений"},
        {"Update program not found: %1", "Не найдена программа обновления %1"},
        {"Could not start the update program %1", "Не удалось запустить программу обновления %1"},
        {"The update program did not answer within %1 s.", "Программа обновления не ответила за %1 с."},
        {"The update program crashed.", "Программа обновления завершилась аварийно."},
        {"Updates are available. Update now?", "Есть обновления. Обновить?"},
        {"No updates found", "Обновлений не обнаружено"},
        {"Help file not found: %1", "Не найден файл справки %1"},
        {"Could not open the help file %1", "Не удалось открыть файл справки %1"},
        {"Could not open the mail program for %1", "Не удалось открыть почтовую программу для %1"},
        {"Curves settings", "Настройки кривых"},
        {"The fill constant must be a number: \"%1\".", "Константа заливки должна быть числом: \"%1\"."},
        {"The track of curve %1 must be a whole number: \"%2\".", "Трек кривой %1 должен быть целым числом: \"%2\"."},
        {"The track of curve %1 must be from 0 to %2: \"%3\".", "Трек кривой %1 должен быть от 0 до %2: \"%3\"."},
        {"Track: a whole number from 0 to %1 (0 or empty: a track of its own)",
         "Трек: целое число от 0 до %1 (0 или пусто: отдельный трек)"},
    }};
    return table;
}

}  // namespace

const std::string& RMultiLang::Text(int index) const
{
    const Pair& pair = Table().at(static_cast<std::size_t>(index));
    return language_ == 1 ? pair.russian : pair.english;
}
