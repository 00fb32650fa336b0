<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>Vetrilo</name>
    <message>
        <source>Загрузка тиражей %s - %s...</source>
        <translation>Downloading draws %s - %s...</translation>
    </message>
    <message>
        <source>Сохранение файла тиражей...</source>
        <translation>Saving the draw file...</translation>
    </message>
    <message>
        <source>Дата тиража № %d не распознана: загрузка остановлена</source>
        <translation>The date of draw No. %d was not recognised: download stopped</translation>
    </message>
    <message>
        <source>Не удалось определить дату последнего тиража № %d (&quot;%s&quot;)!&#xd;&#xd;Новые тиражи загружаются начиная со дня после него. Исправьте дату этого тиража (&quot;Изменить&quot;) и повторите загрузку.</source>
        <translation>Could not determine the date of the last draw No. %d (&quot;%s&quot;)!&#xd;&#xd;New draws are downloaded from the day after it. Correct the date of this draw (&quot;Edit&quot;) and download again.</translation>
    </message>
    <message>
        <source>Сервер вернул только тиражи до %s: он не учитывает запрошенные даты, загрузка остановлена</source>
        <translation>The server returned only draws up to %s: it ignores the requested dates, download stopped</translation>
    </message>
    <message>
        <source>Ошибка загрузки архива тиражей с сайта: &quot;%s&quot;&#xd;&#xd;Повторить попытку?</source>
        <translation>Error downloading the draw archive from the site: &quot;%s&quot;&#xd;&#xd;Try again?</translation>
    </message>
    <message>
        <source>Ошибка загрузки архива тиражей с сайта: &quot;%s&quot;</source>
        <translation>Error downloading the draw archive from the site: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Повторная попытка через %d с...</source>
        <translation>Trying again in %d s...</translation>
    </message>
    <message>
        <source>Запись со индексом %d в файле данных не найдена!</source>
        <translation>Record with index %d not found in the data file!</translation>
    </message>
    <message>
        <source>Введена некорректная комбинация!</source>
        <translation>The combination entered is not valid!</translation>
    </message>
    <message>
        <source>Не удалось найти пару идентификаторов &quot;%1:s&quot; - &quot;%2:s&quot; в тексте&#xd;&#xd;[%0:s]!</source>
        <translation>Could not find the pair of markers &quot;%1:s&quot; - &quot;%2:s&quot; in the text&#xd;&#xd;[%0:s]!</translation>
    </message>
    <message>
        <source>Файлы тиражей (*.csv)</source>
        <translation>Draw files (*.csv)</translation>
    </message>
    <message>
        <source>Загрузка</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Загрузка архива тиражей с сайта лотереи</source>
        <translation>Download the draw archive from the lottery site</translation>
    </message>
    <message>
        <source>Импорт из CSV-файла</source>
        <translation>Import from CSV file</translation>
    </message>
    <message>
        <source>Импорт списка тиражей из CSV-файла</source>
        <translation>Import the draw list from a CSV file</translation>
    </message>
    <message>
        <source>Экспорт в CSV-файл</source>
        <translation>Export to CSV file</translation>
    </message>
    <message>
        <source>Экспорт списка тиражей в CSV-файл</source>
        <translation>Export the draw list to a CSV file</translation>
    </message>
    <message>
        <source>Добавить</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Добавить данные тиража вручную</source>
        <translation>Add the data of a draw by hand</translation>
    </message>
    <message>
        <source>Изменить</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Изменить данные тиража вручную</source>
        <translation>Edit the data of a draw by hand</translation>
    </message>
    <message>
        <source>Удалить</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Удалить выделенные тиражи из списка</source>
        <translation>Delete the selected draws from the list</translation>
    </message>
    <message>
        <source>Параметры proxy-сервера</source>
        <translation>Proxy server settings</translation>
    </message>
    <message>
        <source>По запросу (по умолчанию)</source>
        <translation>On request (default)</translation>
    </message>
    <message>
        <source>Автоматически</source>
        <translation>Automatically</translation>
    </message>
    <message>
        <source>Отключено</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Спросить пользователя</source>
        <translation>Ask the user</translation>
    </message>
    <message>
        <source>Автоматическая загрузка тиражей при запуске программы</source>
        <translation>Download draws automatically when the program starts</translation>
    </message>
    <message>
        <source>Без автоматической загрузки при запуске программы</source>
        <translation>No automatic download when the program starts</translation>
    </message>
    <message>
        <source>Загрузка тиражей при запуске</source>
        <translation>Download draws at start-up</translation>
    </message>
    <message>
        <source>Введите данные следующего тиража</source>
        <translation>Enter the data of the next draw</translation>
    </message>
    <message>
        <source>Номер тиража</source>
        <translation>Draw number</translation>
    </message>
    <message>
        <source>Дата проведения тиража</source>
        <translation>Date of the draw</translation>
    </message>
    <message>
        <source>d MMMM yyyy &apos;г.&apos;</source>
        <translation>d MMMM yyyy</translation>
    </message>
    <message>
        <source>Время проведения тиража</source>
        <translation>Time of the draw</translation>
    </message>
    <message>
        <source>Номер тиража:</source>
        <translation>Draw number:</translation>
    </message>
    <message>
        <source>Выпавшие числа, разделенные точкой с запятой или запятой:</source>
        <translation>Drawn numbers, separated by semicolons or commas:</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Дата и время тиража:</source>
        <translation>Date and time of the draw:</translation>
    </message>
    <message>
        <source>Ошибка загрузки параметров программы!&#xd;&#xd;%s</source>
        <translation>Error loading the program settings!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Загрузка файла конфигурации...</source>
        <translation>Loading the configuration file...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла конфигурации!&#xd;&#xd;%s</source>
        <translation>Error reading the configuration file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка загрузки списка фильтров!&#xd;&#xd;%s</source>
        <translation>Error loading the filter list!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Сохранение файла конфигурации...</source>
        <translation>Saving the configuration file...</translation>
    </message>
    <message>
        <source>Ошибка записи в файл конфигурации!&#xd;&#xd;%s</source>
        <translation>Error writing the configuration file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Невозможно получить монопольный доступ к файлам данных!&#xd;&#xd;Возможные причины данной ошибки: &#xd;&#xd;1) Вы пытаетесь запустить вторую копию программы из одного и того же каталога. Корректная работа нескольких копий программы возможна только из разных каталогов.&#xd;&#xd;2) Для программы нет прав на запись в том каталоге, где она расположена (%s). Например: в системные каталоги, такие как /usr/bin или /opt, обычный пользователь писать не может.&#xd;&#xd;Программа будет закрыта!</source>
        <translation>Cannot get exclusive access to the data files!&#xd;&#xd;Possible reasons for this error: &#xd;&#xd;1) You are trying to start a second copy of the program from the same folder. Several copies of the program work correctly only from different folders.&#xd;&#xd;2) The program may not write to the folder it lies in (%s). For example, an ordinary user cannot write to system folders such as /usr/bin or /opt.&#xd;&#xd;The program will close!</translation>
    </message>
    <message>
        <source>Инициализация...</source>
        <translation>Initialising...</translation>
    </message>
    <message>
        <source>Загрузка файла тиражей...</source>
        <translation>Loading the draw file...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла тиражей!&#xd;&#xd;%s</source>
        <translation>Error reading the draw file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка записи в файл тиражей!&#xd;&#xd;%s</source>
        <translation>Error writing the draw file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка сохранения параметров программы!&#xd;&#xd;%s</source>
        <translation>Error saving the program settings!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Генерация возможных комбинаций...</source>
        <translation>Generating the possible combinations...</translation>
    </message>
    <message>
        <source>Фильтрация комбинаций...</source>
        <translation>Filtering combinations...</translation>
    </message>
    <message>
        <source>Загрузка архива тиражей...</source>
        <translation>Downloading the draw archive...</translation>
    </message>
    <message>
        <source>Не задан адрес страницы результатов лотереи!&#xd;&#xd;Укажите его в поле &quot;Адрес страницы результатов:&quot; окна &quot;Параметры&quot; (меню &quot;Сервис&quot;); в файле %s.ini это параметр ResultsSite= раздела [GLOBAL].</source>
        <translation>The address of the lottery&apos;s result page is not set!&#xd;&#xd;Enter it in the field &quot;Results page address:&quot; of the &quot;Settings&quot; window (menu &quot;Service&quot;); in the file %s.ini it is the key ResultsSite= of section [GLOBAL].</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Обновить список тиражей?&#xd;&#xd;Для выполнения обновления необходимо действующее подключение к сети Интернет.</source>
        <translation>Update the draw list?&#xd;&#xd;The update needs a working Internet connection.</translation>
    </message>
    <message>
        <source>Импорт тиражей из файла &quot;%s&quot;...</source>
        <translation>Importing draws from the file &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Экспорт тиражей в файл &quot;%s&quot;...</source>
        <translation>Exporting draws to the file &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Удаление выделенных тиражей....</source>
        <translation>Deleting the selected draws....</translation>
    </message>
    <message>
        <source>Ошибка сохранения списка фильтров!&#xd;&#xd;%s</source>
        <translation>Error saving the filter list!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Подождите пожалуйста...</source>
        <translation>Please wait...</translation>
    </message>
    <message>
        <source>Вы действительно хотите сбросить список избранных фильтров?</source>
        <translation>Do you really want to reset the list of favourite filters?</translation>
    </message>
    <message>
        <source>Остановить выполнение сценария?</source>
        <translation>Stop the script run?</translation>
    </message>
    <message>
        <source>Файлы журналов не найдены!</source>
        <translation>No log files found!</translation>
    </message>
    <message>
        <source>Поиск файлов журналов...</source>
        <translation>Looking for log files...</translation>
    </message>
    <message>
        <source>Удалено файлов журналов: %d из %d.</source>
        <translation>Log files deleted: %d of %d.</translation>
    </message>
    <message>
        <source>Загрузка файла &quot;%s&quot;...</source>
        <translation>Loading the file &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Сохранение файла &quot;%s&quot;...</source>
        <translation>Saving the file &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла &quot;%s&quot;!&#xd;&#xd;%s</source>
        <translation>Error reading the file &quot;%s&quot;!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка записи в файл &quot;%s&quot;!&#xd;&#xd;%s</source>
        <translation>Error writing the file &quot;%s&quot;!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Генерация новых строк в сценарии...</source>
        <translation>Generating new script lines...</translation>
    </message>
    <message>
        <source>Загрузка файла ставок...</source>
        <translation>Loading the stake file...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла ставок!&#xd;&#xd;%s</source>
        <translation>Error reading the stake file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Создание ставки...</source>
        <translation>Making the stake...</translation>
    </message>
    <message>
        <source>Создание ставок...</source>
        <translation>Making stakes...</translation>
    </message>
    <message>
        <source>Проверка результатов ставок...</source>
        <translation>Checking the results of stakes...</translation>
    </message>
    <message>
        <source>Удаление ставок...</source>
        <translation>Deleting stakes...</translation>
    </message>
    <message>
        <source>Ошибка удаления записи из файла ставок!&#xd;&#xd;%s</source>
        <translation>Error deleting a record from the stake file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Пересчитать рейтинг только по текущим ставкам?&#xd;&#xd;Накопленные ранее данные по удаленным ставкам будут потеряны.</source>
        <translation>Recalculate the rating from the current stakes only?&#xd;&#xd;The data gathered earlier from deleted stakes will be lost.</translation>
    </message>
    <message>
        <source>Обновление рейтинга...</source>
        <translation>Updating the rating...</translation>
    </message>
    <message>
        <source>Экспорт в CSV-файл...</source>
        <translation>Exporting to a CSV file...</translation>
    </message>
    <message>
        <source>Создание графиков...</source>
        <translation>Making charts...</translation>
    </message>
    <message>
        <source>Анализ тиражей и расчет статистики...</source>
        <translation>Analysing draws and calculating statistics...</translation>
    </message>
    <message>
        <source>Создание файлов для полного набора комбинаций...</source>
        <translation>Making the files for the full combination set...</translation>
    </message>
    <message>
        <source>Анализ тиражей и построение графиков...</source>
        <translation>Analysing draws and drawing graphs...</translation>
    </message>
    <message>
        <source>Обновление карты тиражей...</source>
        <translation>Updating the draw card...</translation>
    </message>
    <message>
        <source>Построение схемы выпадения номеров...</source>
        <translation>Building the layout scheme of drawn numbers...</translation>
    </message>
    <message>
        <source>Построение статистики по дням недели...</source>
        <translation>Building the weekday statistics...</translation>
    </message>
    <message>
        <source>Идет сбор статистики....</source>
        <translation>Gathering statistics....</translation>
    </message>
    <message>
        <source>Тираж</source>
        <translation>Draw</translation>
    </message>
    <message>
        <source>Дата тиража</source>
        <translation>Draw date</translation>
    </message>
    <message>
        <source>Выполнение сценария...</source>
        <translation>Running the script...</translation>
    </message>
    <message>
        <source>Вы задали слишком много вариантов фильтров - программа не сможет обработать их все!&#xd;Пожалуйста, уменьшите в каждом из фильтров количество вариантов длины выборки и глубины, а затем повторите попытку.</source>
        <translation>You have given too many filter variants - the program cannot process them all!&#xd;Please reduce the number of sample length and depth variants in each filter, then try again.</translation>
    </message>
    <message>
        <source>&lt; [%s] кол-во: %s (%s %%), отклонение: %s (%s %%), глубина: %s (%s %%), вес: %s &gt;</source>
        <translation>&lt; [%s] count: %s (%s %%), deviation: %s (%s %%), depth: %s (%s %%), weight: %s &gt;</translation>
    </message>
    <message>
        <source>Цикл: %d</source>
        <translation>Cycle: %d</translation>
    </message>
    <message>
        <source>Строка: %d</source>
        <translation>Line: %d</translation>
    </message>
    <message>
        <source>Ставок: %d</source>
        <translation>Stakes: %d</translation>
    </message>
    <message>
        <source>### ВЫПОЛНЕНИЕ СЦЕНАРИЯ ПРЕРВАНО #############################################################</source>
        <translation>### SCRIPT RUN INTERRUPTED ###################################################################</translation>
    </message>
    <message>
        <source>### ЗАПУСК СЦЕНАРИЯ ##########################################################################</source>
        <translation>### SCRIPT STARTED ###########################################################################</translation>
    </message>
    <message>
        <source>Начальное значение генератора случайных чисел: </source>
        <translation>Seed of the random number generator: </translation>
    </message>
    <message>
        <source>Сценарий завершен!</source>
        <translation>Script finished!</translation>
    </message>
    <message>
        <source>### ЗАВЕРШЕНИЕ СЦЕНАРИЯ ######################################################################</source>
        <translation>### SCRIPT FINISHED ##########################################################################</translation>
    </message>
    <message>
        <source>=== Выполнение сценария для смещения %.6d ==================================================</source>
        <translation>=== Running the script for offset %.6d =====================================================</translation>
    </message>
    <message>
        <source>Выполнение строки %.3d: &quot;%s&quot;</source>
        <translation>Running line %.3d: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Создание всех вариантов фильтров...</source>
        <translation>Making every filter variant...</translation>
    </message>
    <message>
        <source>{ERROR} Фильтры не применялись!</source>
        <translation>{ERROR} No filters were applied!</translation>
    </message>
    <message>
        <source>Количество комбинаций в списке: %d</source>
        <translation>Combinations in the list: %d</translation>
    </message>
    <message>
        <source>Создано %d вариантов фильтров.</source>
        <translation>%d filter variants made.</translation>
    </message>
    <message>
        <source>Применение набора фильтров %.3d: &quot;%s&quot;</source>
        <translation>Applying filter set %.3d: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Фильтр %d из %d: %s</source>
        <translation>Filter %d of %d: %s</translation>
    </message>
    <message>
        <source>Создание начального списка комбинаций...</source>
        <translation>Making the start list of combinations...</translation>
    </message>
    <message>
        <source>Метод расчета статистики &quot;%s&quot; на найден!&#xd;%s&#xd;&#xd;Возможно, Вы отключили данных метод расчета либо использовали сценарий от другой модификации программы.</source>
        <translation>Statistic method &quot;%s&quot; not found!&#xd;%s&#xd;&#xd;You may have switched this method off, or the script comes from another edition of the program.</translation>
    </message>
    <message>
        <source>Анализ тиражей и расчет статистики &quot;%s&quot; для выборки в %d тиражей...</source>
        <translation>Analysing draws and calculating the statistics &quot;%s&quot; over a sample of %d draws...</translation>
    </message>
    <message>
        <source>Оставляем выделенные значения...</source>
        <translation>Keeping the selected values...</translation>
    </message>
    <message>
        <source>Удаляем выделенные значения...</source>
        <translation>Removing the selected values...</translation>
    </message>
    <message>
        <source>{UNDO} Откат изменений...</source>
        <translation>{UNDO} Rolling back the changes...</translation>
    </message>
    <message>
        <source>Шаг %.3d. Выделение строки: </source>
        <translation>Step %.3d. Selecting row: </translation>
    </message>
    <message>
        <source>{*} Добавление ставки, режим: &quot;%s&quot;</source>
        <translation>{*} Adding a stake, mode: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>{!} Сценарий остановлен!</source>
        <translation>{!} Script stopped!</translation>
    </message>
    <message>
        <source>Выполнение сценария прервано, т.к. после применения всех фильтров в списке комбинаций их осталось более одной: %d!&#xd;&#xd;Фильтры: %s</source>
        <translation>The script run was interrupted: after all filters were applied more than one combination is left in the list: %d!&#xd;&#xd;Filters: %s</translation>
    </message>
    <message>
        <source>{-} Ставка игнорирована!</source>
        <translation>{-} Stake ignored!</translation>
    </message>
    <message>
        <source>{#} Системная игра для %d чисел [ОШИБКА]: &quot;%s&quot;</source>
        <translation>{#} System play for %d numbers [ERROR]: &quot;%s&quot;</translation>
    </message>
    <message>
        <source>{#} Системная игра для %d чисел [все система]: загружен файл &quot;%s&quot;</source>
        <translation>{#} System play for %d numbers [whole system]: file &quot;%s&quot; loaded</translation>
    </message>
    <message>
        <source>{#} Системная игра для %d чисел [система * комбинации]: загружен файл &quot;%s&quot;</source>
        <translation>{#} System play for %d numbers [system * combinations]: file &quot;%s&quot; loaded</translation>
    </message>
    <message>
        <source>{-} Ставка на тираж %d не добавлена, так как уже имеется в списке ставок: [%s]</source>
        <translation>{-} The stake on draw %d was not added, it is already in the stake list: [%s]</translation>
    </message>
    <message>
        <source>{+} Ставка на тираж %d добавлена в список ставок: [%s]</source>
        <translation>{+} The stake on draw %d was added to the stake list: [%s]</translation>
    </message>
    <message>
        <source>Некорректное значение: %s!&#xd;&#xd;Укажите любое число от 1 до 9</source>
        <translation>Invalid value: %s!&#xd;&#xd;Enter any number from 1 to 9</translation>
    </message>
    <message>
        <source>Адрес сайта лотереи должен начинаться с http:// или https:// и не содержать пробелов!</source>
        <translation>The lottery site address must start with http:// or https:// and hold no blanks!</translation>
    </message>
    <message>
        <source>Адрес страницы результатов должен начинаться с http:// или https:// и не содержать пробелов!</source>
        <translation>The results page address must start with http:// or https:// and hold no blanks!</translation>
    </message>
    <message>
        <source>Статистика</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>Ставки</source>
        <translation>Stakes</translation>
    </message>
    <message>
        <source>Рейтинг</source>
        <translation>Rating</translation>
    </message>
    <message>
        <source>Сценарий</source>
        <translation>Script</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>Завершить работу программы</source>
        <translation>Close the program</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Прервать выполняемую операцию</source>
        <translation>Interrupt the operation in progress</translation>
    </message>
    <message>
        <source>Упорядочить MIN-&gt;MAX</source>
        <translation>Sort MIN-&gt;MAX</translation>
    </message>
    <message>
        <source>Показывать и анализировать числа тиражей по возрастанию</source>
        <translation>Show and analyse the draw numbers in ascending order</translation>
    </message>
    <message>
        <source>Раскрашивать числа тиражей по каналам</source>
        <translation>Colour the draw numbers by channel</translation>
    </message>
    <message>
        <source>Окрашивать числа тиражей цветом их канала</source>
        <translation>Paint the draw numbers in the colour of their channel</translation>
    </message>
    <message>
        <source>Формулы шинковки</source>
        <translation>Shredding formulas</translation>
    </message>
    <message>
        <source>Редактирование формул для методов шинковки</source>
        <translation>Edit the formulas of the shredding methods</translation>
    </message>
    <message>
        <source>Параметры</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Параметры системы</source>
        <translation>System settings</translation>
    </message>
    <message>
        <source>Сайт лотереи</source>
        <translation>Lottery site</translation>
    </message>
    <message>
        <source>Страница лотереи не открылась: нет программы для ее просмотра.&#xd;&#xd;Адрес страницы: %s</source>
        <translation>The lottery page did not open: there is no program to show it.&#xd;&#xd;Its address: %s</translation>
    </message>
    <message>
        <source>Открыть страницу лотереи в браузере</source>
        <translation>Open the lottery&apos;s page in the browser</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Вызов файла справки</source>
        <translation>Open the help</translation>
    </message>
    <message>
        <source>Избранные статистики</source>
        <translation>Favourite statistics</translation>
    </message>
    <message>
        <source>Выбор и переименование методов расчета статистики</source>
        <translation>Choose and rename the statistic methods</translation>
    </message>
    <message>
        <source>Все доступные статистики</source>
        <translation>All available statistics</translation>
    </message>
    <message>
        <source>Показывать в списках все методы расчета статистики</source>
        <translation>Show every statistic method in the lists</translation>
    </message>
    <message>
        <source>Описание статистики</source>
        <translation>Statistic description</translation>
    </message>
    <message>
        <source>Описание выбранного метода расчета статистики</source>
        <translation>Description of the selected statistic method</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Тиражи</source>
        <translation>Draws</translation>
    </message>
    <message>
        <source>Комбинации</source>
        <translation>Combinations</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>View</translation>
    </message>
    <message>
        <source>Сервис</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface language</translation>
    </message>
    <message>
        <source>Выбор языка интерфейса программы</source>
        <translation>Choose the language of the program&apos;s interface</translation>
    </message>
    <message>
        <source>Смещение назад:</source>
        <translation>Offset back:</translation>
    </message>
    <message>
        <source>Смещение относительно последнего загруженного номера тиража</source>
        <translation>Offset from the last downloaded draw number</translation>
    </message>
    <message>
        <source>Архив тиражей</source>
        <translation>Draw archive</translation>
    </message>
    <message>
        <source>Архив тиражей: %d</source>
        <translation>Draw archive: %d</translation>
    </message>
    <message>
        <source>Следующий тираж: %d</source>
        <translation>Next draw: %d</translation>
    </message>
    <message>
        <source>Рейтинг: %d</source>
        <translation>Rating: %d</translation>
    </message>
    <message>
        <source> версия </source>
        <translation> version </translation>
    </message>
    <message>
        <source>Матрица</source>
        <translation>Matrix</translation>
    </message>
    <message>
        <source>Размер матрицы:</source>
        <translation>Matrix size:</translation>
    </message>
    <message>
        <source>Сегменты матрицы:</source>
        <translation>Matrix segments:</translation>
    </message>
    <message>
        <source>Размер канала:</source>
        <translation>Channel size:</translation>
    </message>
    <message>
        <source>Стоимость ставки:</source>
        <translation>Ticket price:</translation>
    </message>
    <message>
        <source>Совпадений</source>
        <translation>Matches</translation>
    </message>
    <message>
        <source>Сумма выигрыша</source>
        <translation>Prize amount</translation>
    </message>
    <message>
        <source>Размеры выигрышей:</source>
        <translation>Prizes:</translation>
    </message>
    <message>
        <source>Вес</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>Количество:</source>
        <translation>Count:</translation>
    </message>
    <message>
        <source>Отклонение:</source>
        <translation>Deviation:</translation>
    </message>
    <message>
        <source>Глубина:</source>
        <translation>Depth:</translation>
    </message>
    <message>
        <source>Использовать значения в %</source>
        <translation>Use values in %</translation>
    </message>
    <message>
        <source>Использовать абсолютные значения</source>
        <translation>Use absolute values</translation>
    </message>
    <message>
        <source>Адрес страницы, которую открывает пункт меню &quot;Сайт лотереи&quot;</source>
        <translation>Address of the page the menu item &quot;Lottery site&quot; opens</translation>
    </message>
    <message>
        <source>Сайт лотереи:</source>
        <translation>Lottery site:</translation>
    </message>
    <message>
        <source>Адрес сайта, с которого загружаются результаты тиражей</source>
        <translation>Address of the site the draw results are downloaded from</translation>
    </message>
    <message>
        <source>Адрес страницы результатов:</source>
        <translation>Results page address:</translation>
    </message>
    <message>
        <source>Строк: %d</source>
        <translation>Lines: %d</translation>
    </message>
    <message>
        <source>Да</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Нет</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Тираж № %d от %s, значения: %s</source>
        <translation>Draw No. %d of %s, values: %s</translation>
    </message>
    <message>
        <source>Некорректная комбинация: &quot;%s&quot;!</source>
        <translation>Invalid combination: &quot;%s&quot;!</translation>
    </message>
    <message>
        <source>Список &quot;%s&quot; содержит слишком много значений (%d)!</source>
        <translation>The list &quot;%s&quot; holds too many values (%d)!</translation>
    </message>
    <message>
        <source>Вручную</source>
        <translation>By hand</translation>
    </message>
    <message>
        <source>Регуляр</source>
        <translation>Regular</translation>
    </message>
    <message>
        <source>Система</source>
        <translation>System</translation>
    </message>
    <message>
        <source>Удалить выделенную запись?</source>
        <translation>Delete the selected record?</translation>
    </message>
    <message>
        <source>Удалить все выделенные записи (всего будет удалено %d записи(ей))?</source>
        <translation>Delete all selected records (%d record(s) will be deleted)?</translation>
    </message>
    <message>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Внимание!</source>
        <translation>Warning!</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Подтверждение</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Ответ сервера больше %d байт</source>
        <translation>The server&apos;s answer is larger than %d bytes</translation>
    </message>
    <message>
        <source>Сервер не ответил за %d мс</source>
        <translation>The server did not answer within %d ms</translation>
    </message>
    <message>
        <source>Ответ сервера не получен полностью за %d мс</source>
        <translation>The server&apos;s answer did not arrive in full within %d ms</translation>
    </message>
    <message>
        <source>Слишком много перенаправлений (больше %d)</source>
        <translation>Too many redirects (more than %d)</translation>
    </message>
    <message>
        <source>Не использовать proxy-сервер</source>
        <translation>Do not use a proxy server</translation>
    </message>
    <message>
        <source>Автоматический поиск сервера (возможны задержки)</source>
        <translation>Find a server automatically (may be slow)</translation>
    </message>
    <message>
        <source>Ручной выбор proxy-сервера:</source>
        <translation>Choose a proxy server by hand:</translation>
    </message>
    <message>
        <source>Имя пользователя (не обязательно)</source>
        <translation>User name (optional)</translation>
    </message>
    <message>
        <source>Пароль (не обязательно)</source>
        <translation>Password (optional)</translation>
    </message>
    <message>
        <source>Имя или адрес сервера:</source>
        <translation>Server name or address:</translation>
    </message>
    <message>
        <source>Порт:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Имя пользователя:</source>
        <translation>User name:</translation>
    </message>
    <message>
        <source>Пароль:</source>
        <translation>Password:</translation>
    </message>
    <message>
        <source>Поиск proxy-серверов</source>
        <translation>Looking for proxy servers</translation>
    </message>
    <message>
        <source>Не задан адрес сервиса списка proxy-серверов: укажите его в параметре ProxyListSite= раздела [PROXY] файла настроек.</source>
        <translation>The address of the proxy list service is not set: enter it as the key ProxyListSite= of section [PROXY] of the settings file.</translation>
    </message>
    <message>
        <source>Не найдено ни одного proxy-сервера с заданными параметрами</source>
        <translation>No proxy server with the given parameters was found</translation>
    </message>
    <message>
        <source>Ошибка получения списка proxy-серверов!&#xd;&#xd;%s</source>
        <translation>Error getting the list of proxy servers!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка автоматического выбора proxy сервера!&#xd;&#xd;%s</source>
        <translation>Error choosing a proxy server automatically!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Попытка %d, proxy %s : %d</source>
        <translation>Attempt %d, proxy %s : %d</translation>
    </message>
    <message>
        <source>Некорректное описание фильтра: %s!</source>
        <translation>Invalid filter description: %s!</translation>
    </message>
    <message>
        <source>Строка сценария содержит более %d фильтров!</source>
        <translation>The script line holds more than %d filters!</translation>
    </message>
    <message>
        <source>Количество вариантов фильтров превышает %d.</source>
        <translation>The number of filter variants exceeds %d.</translation>
    </message>
    <message>
        <source>Комментарий</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>Ставок</source>
        <translation>Stakes</translation>
    </message>
    <message>
        <source>Угадано</source>
        <translation>Matched</translation>
    </message>
    <message>
        <source>Среднее</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>Профит</source>
        <translation>Profit</translation>
    </message>
    <message>
        <source>Ср. профит</source>
        <translation>Mean profit</translation>
    </message>
    <message>
        <source>Введен некорректный диапазон значений!</source>
        <translation>The range of values entered is not valid!</translation>
    </message>
    <message>
        <source>Для данного вида статистики не доступен режим выделения по списку значений!</source>
        <translation>Selection by a list of values is not available for this kind of statistics!</translation>
    </message>
    <message>
        <source>В режиме мультивыделения остановка сценария по количеству комбинаций или чисел не может быть выполнена!&#xd;Выберите другой способ останова.</source>
        <translation>With multiple selection the script cannot stop by a count of combinations or numbers!&#xd;Choose another way of stopping.</translation>
    </message>
    <message>
        <source>Файл не является текстовым файлом сценария (содержит двоичные данные).</source>
        <translation>The file is not a script text file (it holds binary data).</translation>
    </message>
    <message>
        <source>Файл сценария записан не в кодировке Windows-1251.</source>
        <translation>The script file is not written in the Windows-1251 encoding.</translation>
    </message>
    <message>
        <source>Файл слишком велик для сценария.</source>
        <translation>The file is too large for a script.</translation>
    </message>
    <message>
        <source>перевод строки</source>
        <translation>line break</translation>
    </message>
    <message>
        <source>Символ &quot;%s&quot; не может быть записан в файл сценария!</source>
        <translation>The character &quot;%s&quot; cannot be written to the script file!</translation>
    </message>
    <message>
        <source>Исходный список (рекомендуется для тестов)</source>
        <translation>Full list (recommended for tests)</translation>
    </message>
    <message>
        <source>Исходный список</source>
        <translation>Full list</translation>
    </message>
    <message>
        <source>Удалить N последних тиражей (для прогнозов)</source>
        <translation>Remove the newest N draws (for forecasts)</translation>
    </message>
    <message>
        <source>Исключить %d тиражей</source>
        <translation>Exclude %d draws</translation>
    </message>
    <message>
        <source>Текущий список (для последовательного выполнения)</source>
        <translation>Current list (for running in sequence)</translation>
    </message>
    <message>
        <source>Текущий список</source>
        <translation>Current list</translation>
    </message>
    <message>
        <source>Выбрать одну случайную комбинацию</source>
        <translation>Pick one random combination</translation>
    </message>
    <message>
        <source>Случайно</source>
        <translation>Random</translation>
    </message>
    <message>
        <source>Выбрать первую комбинацию в списке</source>
        <translation>Pick the first combination of the list</translation>
    </message>
    <message>
        <source>Первая</source>
        <translation>First</translation>
    </message>
    <message>
        <source>Выбрать последнюю комбинацию в списке</source>
        <translation>Pick the last combination of the list</translation>
    </message>
    <message>
        <source>Последняя</source>
        <translation>Last</translation>
    </message>
    <message>
        <source>Выбрать все комбинации (не рекомендуется)</source>
        <translation>Pick every combination (not recommended)</translation>
    </message>
    <message>
        <source>Все</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Системная игра [вся система]</source>
        <translation>System play [whole system]</translation>
    </message>
    <message>
        <source>Система [все]</source>
        <translation>System [all]</translation>
    </message>
    <message>
        <source>Системная игра [система * комбинации]</source>
        <translation>System play [system * combinations]</translation>
    </message>
    <message>
        <source>Система [комб]</source>
        <translation>System [comb]</translation>
    </message>
    <message>
        <source>Остановить выполнение сценария</source>
        <translation>Stop the script run</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Пропустить (игнорировать) эту ставку</source>
        <translation>Skip (ignore) this stake</translation>
    </message>
    <message>
        <source>Пропустить</source>
        <translation>Skip</translation>
    </message>
    <message>
        <source>Не делать ставок (для последовательного выполнения)</source>
        <translation>Make no stakes (for running in sequence)</translation>
    </message>
    <message>
        <source>Не делать ставок</source>
        <translation>No stakes</translation>
    </message>
    <message>
        <source>Весь список (без условий)</source>
        <translation>The whole list (no condition)</translation>
    </message>
    <message>
        <source>&quot;Глубина&quot;: не менее заданного значения</source>
        <translation>&quot;Depth&quot;: at least the given value</translation>
    </message>
    <message>
        <source>&quot;Глубина&quot;: не менее заданного процента</source>
        <translation>&quot;Depth&quot;: at least the given percentage</translation>
    </message>
    <message>
        <source>&quot;Глубина&quot;: не более заданного значения</source>
        <translation>&quot;Depth&quot;: at most the given value</translation>
    </message>
    <message>
        <source>&quot;Глубина&quot;: не более заданного процента</source>
        <translation>&quot;Depth&quot;: at most the given percentage</translation>
    </message>
    <message>
        <source>&quot;Глубина&quot;: из заданного списка значений</source>
        <translation>&quot;Depth&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>&quot;Глубина&quot;: из заданного списка процентов</source>
        <translation>&quot;Depth&quot;: from the given list of percentages</translation>
    </message>
    <message>
        <source>&quot;Отклонение&quot;: не менее заданного значения</source>
        <translation>&quot;Deviation&quot;: at least the given value</translation>
    </message>
    <message>
        <source>&quot;Отклонение&quot;: не менее заданного процента</source>
        <translation>&quot;Deviation&quot;: at least the given percentage</translation>
    </message>
    <message>
        <source>&quot;Отклонение&quot;: не более заданного значения</source>
        <translation>&quot;Deviation&quot;: at most the given value</translation>
    </message>
    <message>
        <source>&quot;Отклонение&quot;: не более заданного процента</source>
        <translation>&quot;Deviation&quot;: at most the given percentage</translation>
    </message>
    <message>
        <source>&quot;Отклонение&quot;: из заданного списка значений</source>
        <translation>&quot;Deviation&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>&quot;Отклонение&quot;: из заданного списка процентов</source>
        <translation>&quot;Deviation&quot;: from the given list of percentages</translation>
    </message>
    <message>
        <source>&quot;Количество&quot;: не менее заданного значения</source>
        <translation>&quot;Count&quot;: at least the given value</translation>
    </message>
    <message>
        <source>&quot;Количество&quot;: не менее заданного процента</source>
        <translation>&quot;Count&quot;: at least the given percentage</translation>
    </message>
    <message>
        <source>&quot;Количество&quot;: не более заданного значения</source>
        <translation>&quot;Count&quot;: at most the given value</translation>
    </message>
    <message>
        <source>&quot;Количество&quot;: не более заданного процента</source>
        <translation>&quot;Count&quot;: at most the given percentage</translation>
    </message>
    <message>
        <source>&quot;Количество&quot;: из заданного списка значений</source>
        <translation>&quot;Count&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>&quot;Количество&quot;: из заданного списка процентов</source>
        <translation>&quot;Count&quot;: from the given list of percentages</translation>
    </message>
    <message>
        <source>&quot;Вес&quot;: не менее заданного значения</source>
        <translation>&quot;Weight&quot;: at least the given value</translation>
    </message>
    <message>
        <source>&quot;Вес&quot;: не более заданного значения</source>
        <translation>&quot;Weight&quot;: at most the given value</translation>
    </message>
    <message>
        <source>&quot;Вес&quot;: из заданного списка значений</source>
        <translation>&quot;Weight&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>&quot;Период min&quot;: не менее заданного значения</source>
        <translation>&quot;Period min&quot;: at least the given value</translation>
    </message>
    <message>
        <source>&quot;Период min&quot;: не более заданного значения</source>
        <translation>&quot;Period min&quot;: at most the given value</translation>
    </message>
    <message>
        <source>&quot;Период min&quot;: из заданного списка значений</source>
        <translation>&quot;Period min&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>&quot;Период&quot;: не менее заданного значения</source>
        <translation>&quot;Period&quot;: at least the given value</translation>
    </message>
    <message>
        <source>&quot;Период&quot;: не более заданного значения</source>
        <translation>&quot;Period&quot;: at most the given value</translation>
    </message>
    <message>
        <source>&quot;Период&quot;: из заданного списка значений</source>
        <translation>&quot;Period&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>&quot;Период max&quot;: не менее заданного значения</source>
        <translation>&quot;Period max&quot;: at least the given value</translation>
    </message>
    <message>
        <source>&quot;Период max&quot;: не более заданного значения</source>
        <translation>&quot;Period max&quot;: at most the given value</translation>
    </message>
    <message>
        <source>&quot;Период max&quot;: из заданного списка значений</source>
        <translation>&quot;Period max&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>&quot;Значения&quot;: из заданного списка значений</source>
        <translation>&quot;Values&quot;: from the given list of values</translation>
    </message>
    <message>
        <source>Обработать все записи</source>
        <translation>Process every record</translation>
    </message>
    <message>
        <source>Количеству оставшихся комбинаций</source>
        <translation>The number of combinations left</translation>
    </message>
    <message>
        <source>Пока список не будет пуст и откатить на шаг</source>
        <translation>Until the list is empty, then one step back</translation>
    </message>
    <message>
        <source>Количеству шагов</source>
        <translation>The number of steps</translation>
    </message>
    <message>
        <source>Значению в списке статистики</source>
        <translation>A value in the statistics list</translation>
    </message>
    <message>
        <source>Процентному соотношению в списке статистики</source>
        <translation>A percentage in the statistics list</translation>
    </message>
    <message>
        <source>; Удалить ставки</source>
        <translation>; Delete stakes</translation>
    </message>
    <message>
        <source>; Только новые ставки</source>
        <translation>; New stakes only</translation>
    </message>
    <message>
        <source>; Все создаваемые ставки</source>
        <translation>; Every stake made</translation>
    </message>
    <message>
        <source>Комментарии</source>
        <translation>Comments</translation>
    </message>
    <message>
        <source>Опции</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Фильтр 1</source>
        <translation>Filter 1</translation>
    </message>
    <message>
        <source>Фильтр 2</source>
        <translation>Filter 2</translation>
    </message>
    <message>
        <source>Фильтр 3</source>
        <translation>Filter 3</translation>
    </message>
    <message>
        <source>Фильтр 4</source>
        <translation>Filter 4</translation>
    </message>
    <message>
        <source>Фильтр 5</source>
        <translation>Filter 5</translation>
    </message>
    <message>
        <source>Фильтр 6</source>
        <translation>Filter 6</translation>
    </message>
    <message>
        <source>Фильтр 7</source>
        <translation>Filter 7</translation>
    </message>
    <message>
        <source>Строку&#xd;&#xd;%s&#xd;&#xd;невозможно добавить в сценарий!</source>
        <translation>The line&#xd;&#xd;%s&#xd;&#xd;cannot be added to the script!</translation>
    </message>
    <message>
        <source>Ошибка записи журнала: %s!</source>
        <translation>Error writing the log: %s!</translation>
    </message>
    <message>
        <source>Фильтр</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>Тип фильтра:</source>
        <translation>Filter type:</translation>
    </message>
    <message>
        <source>Количество тиражей для расчета статистики

Допустимые форматы:
1 - одно значение
1, 2, 3 - список значений через запятую
1-10;2 - нижняя и верхняя граница диапазона; шаг изменения</source>
        <translation>Number of draws to calculate the statistics over

Allowed forms:
1 - one value
1, 2, 3 - a list of values separated by commas
1-10;2 - the low and high bound of a range; the step</translation>
    </message>
    <message>
        <source>Количество тиражей:</source>
        <translation>Number of draws:</translation>
    </message>
    <message>
        <source>Сверху-вниз</source>
        <translation>Top-down</translation>
    </message>
    <message>
        <source>Снизу-вверх</source>
        <translation>Bottom-up</translation>
    </message>
    <message>
        <source>Сортировать по столбцу:</source>
        <translation>Sort by column:</translation>
    </message>
    <message>
        <source>Направление:</source>
        <translation>Direction:</translation>
    </message>
    <message>
        <source>Использовать режим одновременного выделения нескольких значений в списке</source>
        <translation>Select several values of the list at once</translation>
    </message>
    <message>
        <source>Режим выделения значений в списке статистики:</source>
        <translation>How values of the statistics list are selected:</translation>
    </message>
    <message>
        <source>Значения:</source>
        <translation>Values:</translation>
    </message>
    <message>
        <source>Значение для режима остановки</source>
        <translation>Value for the stop mode</translation>
    </message>
    <message>
        <source>Остановка по:</source>
        <translation>Stop by:</translation>
    </message>
    <message>
        <source>Значение:</source>
        <translation>Value:</translation>
    </message>
    <message>
        <source>Использовать приведенные ниже коэффициенты для расчета значений &quot;Вес&quot;</source>
        <translation>Use the coefficients below to calculate the &quot;Weight&quot; values</translation>
    </message>
    <message>
        <source>Удалить выделенные</source>
        <translation>Remove selected</translation>
    </message>
    <message>
        <source>Оставить выделенные</source>
        <translation>Keep selected</translation>
    </message>
    <message>
        <source>Режим фильтра:</source>
        <translation>Filter mode:</translation>
    </message>
    <message>
        <source>Элемент сценария</source>
        <translation>Script item</translation>
    </message>
    <message>
        <source>Комментарии (можно оставить пустым)</source>
        <translation>Comments (may be left empty)</translation>
    </message>
    <message>
        <source>Комментарии:</source>
        <translation>Comments:</translation>
    </message>
    <message>
        <source>Исключить указанное количество тиражей из списка комбинаций перед применением фильтров</source>
        <translation>Exclude the given number of draws from the combination list before the filters are applied</translation>
    </message>
    <message>
        <source>Начальный список комбинаций:</source>
        <translation>Start list of combinations:</translation>
    </message>
    <message>
        <source>Кол-во тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>В случае неоднозначного результата после применения фильтров:</source>
        <translation>When the filters leave more than one result:</translation>
    </message>
    <message>
        <source>Удалить все ставки перед выполнением (накопление только рейтинга)</source>
        <translation>Delete every stake before the run (gather the rating only)</translation>
    </message>
    <message>
        <source>Только новые ставки (пропускать те ставки, которые уже есть в списке)</source>
        <translation>New stakes only (skip stakes already in the list)</translation>
    </message>
    <message>
        <source>Редактировать фильтр</source>
        <translation>Edit filter</translation>
    </message>
    <message>
        <source>Фильтр %1:</source>
        <translation>Filter %1:</translation>
    </message>
    <message>
        <source>Экспорт рейтинга в CSV-файл</source>
        <translation>Export the rating to a CSV file</translation>
    </message>
    <message>
        <source>CSV-файлы (*.csv)</source>
        <translation>CSV files (*.csv)</translation>
    </message>
    <message>
        <source>Обновить рейтинг</source>
        <translation>Update rating</translation>
    </message>
    <message>
        <source>Пересчитать рейтинг по текущим ставкам</source>
        <translation>Recalculate the rating from the current stakes</translation>
    </message>
    <message>
        <source>Добавить в сценарий</source>
        <translation>Add to script</translation>
    </message>
    <message>
        <source>Добавить выделенные варианты в сценарий</source>
        <translation>Add the selected variants to the script</translation>
    </message>
    <message>
        <source>Количество совпадений</source>
        <translation>Number of matches</translation>
    </message>
    <message>
        <source>Количество совпадений выделенных вариантов</source>
        <translation>Matches of the selected variants</translation>
    </message>
    <message>
        <source>График совпадений ставок</source>
        <translation>Stake matches chart</translation>
    </message>
    <message>
        <source>График совпадений ставок выделенных вариантов</source>
        <translation>Chart of the stake matches of the selected variants</translation>
    </message>
    <message>
        <source>График профита ставок</source>
        <translation>Stake profit chart</translation>
    </message>
    <message>
        <source>График профита ставок выделенных вариантов</source>
        <translation>Chart of the stake profit of the selected variants</translation>
    </message>
    <message>
        <source>Ожидаемые значения совпадений</source>
        <translation>Expected numbers of matches</translation>
    </message>
    <message>
        <source>Абсолютные значения эффективности</source>
        <translation>Absolute efficiency values</translation>
    </message>
    <message>
        <source>Относительные значения эффективности</source>
        <translation>Relative efficiency values</translation>
    </message>
    <message>
        <source>Показывать расчетные значения количества совпадений</source>
        <translation>Show the calculated numbers of matches</translation>
    </message>
    <message>
        <source>Показывать абсолютные изменения эффективности ставок</source>
        <translation>Show the absolute changes of stake efficiency</translation>
    </message>
    <message>
        <source>Показывать относительные изменения эффективности ставок</source>
        <translation>Show the relative changes of stake efficiency</translation>
    </message>
    <message>
        <source>Добавить фильтры</source>
        <translation>Add filters</translation>
    </message>
    <message>
        <source>Добавить новую строку в сценарий</source>
        <translation>Add a new line to the script</translation>
    </message>
    <message>
        <source>Добавить разделитель</source>
        <translation>Add separator</translation>
    </message>
    <message>
        <source>Добавить пустую строку (разделитель)</source>
        <translation>Add an empty line (separator)</translation>
    </message>
    <message>
        <source>Клонировать</source>
        <translation>Clone</translation>
    </message>
    <message>
        <source>Создать новую строку на основе текущей</source>
        <translation>Make a new line from the current one</translation>
    </message>
    <message>
        <source>Изменить текущую строку сценария</source>
        <translation>Edit the current script line</translation>
    </message>
    <message>
        <source>Удалить выделенные строки сценария</source>
        <translation>Delete the selected script lines</translation>
    </message>
    <message>
        <source>Удалить все</source>
        <translation>Delete all</translation>
    </message>
    <message>
        <source>Удалить все строки сценария</source>
        <translation>Delete every script line</translation>
    </message>
    <message>
        <source>Переместить вверх</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Переместить текущую строку вверх</source>
        <translation>Move the current line up</translation>
    </message>
    <message>
        <source>Переместить вниз</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Переместить текущую строку вниз</source>
        <translation>Move the current line down</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Открыть сценарий из файла</source>
        <translation>Open a script from a file</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить сценарий в файл</source>
        <translation>Save the script to a file</translation>
    </message>
    <message>
        <source>Добавить сценарий</source>
        <translation>Append script</translation>
    </message>
    <message>
        <source>Добавить в конец строки сценария из файла</source>
        <translation>Append the lines of a script file</translation>
    </message>
    <message>
        <source>Прогноз</source>
        <translation>Forecast</translation>
    </message>
    <message>
        <source>Выполнить сценарий для следующего тиража</source>
        <translation>Run the script for the next draw</translation>
    </message>
    <message>
        <source>Тест</source>
        <translation>Test</translation>
    </message>
    <message>
        <source>Проверить сценарий на последних тиражах архива</source>
        <translation>Test the script on the newest draws of the archive</translation>
    </message>
    <message>
        <source>Количество тестов</source>
        <translation>Number of tests</translation>
    </message>
    <message>
        <source>Укажите количество тестов:</source>
        <translation>Enter the number of tests:</translation>
    </message>
    <message>
        <source>Журнал выполнения сценария</source>
        <translation>Script run log</translation>
    </message>
    <message>
        <source>Записывать журнал выполнения сценария</source>
        <translation>Write the log of script runs</translation>
    </message>
    <message>
        <source>Удалить журналы выполнения сценариев</source>
        <translation>Delete the script run logs</translation>
    </message>
    <message>
        <source>Удалить все файлы журналов выполнения сценариев</source>
        <translation>Delete every script run log file</translation>
    </message>
    <message>
        <source>Проверять ставки после каждой строки сценария</source>
        <translation>Check stakes after every script line</translation>
    </message>
    <message>
        <source>Проверять ставки после каждого варианта фильтров, а не после всего сценария</source>
        <translation>Check the stakes after every filter variant, not after the whole script</translation>
    </message>
    <message>
        <source>Файлы сценариев (*.lsc)</source>
        <translation>Script files (*.lsc)</translation>
    </message>
    <message>
        <source>Создание новой строки</source>
        <translation>New line</translation>
    </message>
    <message>
        <source>Редактирование строки</source>
        <translation>Edit line</translation>
    </message>
    <message>
        <source>Языковый модуль &quot;%s&quot; не найден!</source>
        <translation>Language module &quot;%s&quot; not found!</translation>
    </message>
    <message>
        <source>Не удалось загрузить языковый модуль &quot;%s&quot;!&#xd;&#xd;%s</source>
        <translation>Could not load the language module &quot;%s&quot;!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Назад</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>Вперед</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>Содержание</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>Справочная информация</source>
        <translation>Reference information</translation>
    </message>
    <message>
        <source>Добро пожаловать! Программа анализирует архив тиражей, сокращает список комбинаций фильтрами, выполняет сценарии и ведет учет ставок. Описание каждой страницы, методов статистики, формата сценариев и командной строки находится во встроенной справочной системе (клавиша F1).</source>
        <translation>Welcome! The program analyses the draw archive, cuts the combination list down with filters, runs scripts and keeps track of stakes. Every page, the statistic methods, the script format and the command line are described in the built-in help (key F1).</translation>
    </message>
    <message>
        <source>Открыть файл встроенной справочной системы</source>
        <translation>Open the built-in help</translation>
    </message>
    <message>
        <source>Больше не показывать данный диалог</source>
        <translation>Do not show this dialog again</translation>
    </message>
    <message>
        <source>Сортировка рейтинга...</source>
        <translation>Sorting the rating...</translation>
    </message>
    <message>
        <source>Сохранение файла рейтинга...</source>
        <translation>Saving the rating file...</translation>
    </message>
    <message>
        <source>Ошибка записи в файл рейтинга!&#xd;&#xd;%s</source>
        <translation>Error writing the rating file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Загрузка файла рейтинга...</source>
        <translation>Loading the rating file...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла рейтинга!&#xd;&#xd;%s</source>
        <translation>Error reading the rating file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Файл ставок не открыт!</source>
        <translation>The stake file is not open!</translation>
    </message>
    <message>
        <source>Ошибка обновления рейтинга!&#xd;&#xd;%s</source>
        <translation>Error updating the rating!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Для построения графиков необходимо, чтобы в выделенном диапазоне данных было более одного тиража!</source>
        <translation>Charts need more than one draw in the selected range of data!</translation>
    </message>
    <message>
        <source>Суммарный профит ставок по тиражу</source>
        <translation>Total stake profit by draw</translation>
    </message>
    <message>
        <source>Среднее значение</source>
        <translation>Mean value</translation>
    </message>
    <message>
        <source>Накопленное значение</source>
        <translation>Accumulated value</translation>
    </message>
    <message>
        <source>№ тиража	Суммарный профит ставок по тиражу	Накопленное значение	Среднее значение
</source>
        <translation>Draw No.	Total stake profit by draw	Accumulated value	Mean value
</translation>
    </message>
    <message>
        <source>Нормальные значения</source>
        <translation>Normal values</translation>
    </message>
    <message>
        <source>Проверка результатов ставок ( завершено %.0f %% )...</source>
        <translation>Checking the results of stakes ( %.0f %% done )...</translation>
    </message>
    <message>
        <source>Ошибка проверки ставок!&#xd;&#xd;%s</source>
        <translation>Error checking stakes!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Необходимо ввести комментарий!</source>
        <translation>A comment must be entered!</translation>
    </message>
    <message>
        <source>Ставка &quot;вручную&quot;</source>
        <translation>Stake &quot;by hand&quot;</translation>
    </message>
    <message>
        <source>Ошибка переименования / удаления временного файла ставок %s!&#xd;&#xd;%s</source>
        <translation>Error renaming / deleting the temporary stake file %s!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>№ тиража</source>
        <translation>Draw No.</translation>
    </message>
    <message>
        <source>Вид ставки</source>
        <translation>Stake kind</translation>
    </message>
    <message>
        <source>Моя ставка</source>
        <translation>My stake</translation>
    </message>
    <message>
        <source>Выборка</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>Результаты тиража</source>
        <translation>Draw results</translation>
    </message>
    <message>
        <source>Совпадения</source>
        <translation>Matched numbers</translation>
    </message>
    <message>
        <source>Тираж № %s. Ставка: &quot;%s&quot; [%s] {%d}. Результаты тиража: [%s]. Совпадений: %d. Профит: %s.</source>
        <translation>Draw No. %s. Stake: &quot;%s&quot; [%s] {%d}. Draw results: [%s]. Matches: %d. Profit: %s.</translation>
    </message>
    <message>
        <source>Ошибка удаления файла &quot;%s&quot;!&#xd;&#xd;%s</source>
        <translation>Error deleting the file &quot;%s&quot;!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Удален файл &quot;%s&quot;</source>
        <translation>File &quot;%s&quot; deleted</translation>
    </message>
    <message>
        <source>Не удалось удалить файл &quot;%s&quot;: %s</source>
        <translation>Could not delete the file &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Последняя запись файла ставок была записана не полностью и удалена; остальные ставки сохранены.&#xd;&#xd;Прежний файл сохранен как &quot;%s&quot;.</source>
        <translation>The last record of the stake file was not written completely and has been removed; the other stakes are kept.&#xd;&#xd;The previous file was saved as &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Обнаружен файл ставок устаревшей версии - имеющиеся в файле ставки будут удалены!&#xd;&#xd;Прежний файл сохранен как &quot;%s&quot;.</source>
        <translation>A stake file of an old version was found - the stakes in it will be deleted!&#xd;&#xd;The previous file was saved as &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Добавление в конец файла уже проверенной ставки!</source>
        <translation>Appending a stake that has already been checked!</translation>
    </message>
    <message>
        <source>Номер последнего тиража (%d + %d) больше 2147483647.</source>
        <translation>The number of the last draw (%d + %d) is larger than 2147483647.</translation>
    </message>
    <message>
        <source>Ошибка добавления записи в файл ставок!&#xd;&#xd;%s</source>
        <translation>Error adding a record to the stake file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Система для %d чисел не найдена или не загружена на компьютер!</source>
        <translation>The system for %d numbers was not found or has not been downloaded!</translation>
    </message>
    <message>
        <source>&#xd;&#xd;Перед системной игрой необходимо предварительно загрузить системы на Ваш компьютер через меню &quot;Системы&quot; - &quot;Загрузить&quot;.</source>
        <translation>&#xd;&#xd;Before system play, download the systems to your computer with the menu &quot;Systems&quot; - &quot;Download&quot;.</translation>
    </message>
    <message>
        <source>в строке &quot;%s&quot; %d чисел вместо 4</source>
        <translation>the line &quot;%s&quot; has %d numbers instead of 4</translation>
    </message>
    <message>
        <source>в строке &quot;%s&quot; позиция &quot;%s&quot; вне диапазона 1..%d</source>
        <translation>in the line &quot;%s&quot; the position &quot;%s&quot; is outside 1..%d</translation>
    </message>
    <message>
        <source>в строке &quot;%s&quot; позиция %d повторяется</source>
        <translation>in the line &quot;%s&quot; the position %d is repeated</translation>
    </message>
    <message>
        <source>Ошибка загрузки комбинаций системы!&#xd;&#xd;</source>
        <translation>Error loading the combinations of the system!&#xd;&#xd;</translation>
    </message>
    <message>
        <source>График</source>
        <translation>Chart</translation>
    </message>
    <message>
        <source>Отображать метки на графиках</source>
        <translation>Show labels on the charts</translation>
    </message>
    <message>
        <source>Добавление ставки</source>
        <translation>Add stake</translation>
    </message>
    <message>
        <source>Номер первого тиража</source>
        <translation>Number of the first draw</translation>
    </message>
    <message>
        <source>Введите числа, разделенные точкой с запятой или запятой</source>
        <translation>Enter the numbers separated by semicolons or commas</translation>
    </message>
    <message>
        <source>Количество тиражей, на которые нужно сделать ставку (начиная с указанного)</source>
        <translation>Number of draws to stake on (from the given one)</translation>
    </message>
    <message>
        <source>Ставка:</source>
        <translation>Stake:</translation>
    </message>
    <message>
        <source>Сумма:</source>
        <translation>Amount:</translation>
    </message>
    <message>
        <source>Комментарий к ставке:</source>
        <translation>Stake comment:</translation>
    </message>
    <message>
        <source>Добавление мультиставки</source>
        <translation>Add multi-stake</translation>
    </message>
    <message>
        <source>Удаление по условию</source>
        <translation>Delete by condition</translation>
    </message>
    <message>
        <source>Равно [ = ]</source>
        <translation>Equal [ = ]</translation>
    </message>
    <message>
        <source>Более [ &gt; ]</source>
        <translation>More than [ &gt; ]</translation>
    </message>
    <message>
        <source>Не менее [ &gt;= ]</source>
        <translation>At least [ &gt;= ]</translation>
    </message>
    <message>
        <source>Менее [ &lt; ]</source>
        <translation>Less than [ &lt; ]</translation>
    </message>
    <message>
        <source>Не более [ &lt;= ]</source>
        <translation>At most [ &lt;= ]</translation>
    </message>
    <message>
        <source>Режим сравнения с количеством совпадений</source>
        <translation>How to compare with the number of matches</translation>
    </message>
    <message>
        <source>Выберите условие:</source>
        <translation>Choose the condition:</translation>
    </message>
    <message>
        <source>Сделать ставку</source>
        <translation>Make a stake</translation>
    </message>
    <message>
        <source>Сделать случайную ставку</source>
        <translation>Make a random stake</translation>
    </message>
    <message>
        <source>Сделать ставки для выделенных комбинаций</source>
        <translation>Make stakes for the selected combinations</translation>
    </message>
    <message>
        <source>Сделать ставки для всех комбинаций</source>
        <translation>Make stakes for every combination</translation>
    </message>
    <message>
        <source>Удалить ставку</source>
        <translation>Delete stake</translation>
    </message>
    <message>
        <source>Удалить выделенные ставки</source>
        <translation>Delete the selected stakes</translation>
    </message>
    <message>
        <source>Удалить по условию</source>
        <translation>Delete by condition</translation>
    </message>
    <message>
        <source>Удалить ставки по количеству совпадений</source>
        <translation>Delete stakes by the number of matches</translation>
    </message>
    <message>
        <source>Удалить все ставки</source>
        <translation>Delete every stake</translation>
    </message>
    <message>
        <source>Проверить ставки</source>
        <translation>Check stakes</translation>
    </message>
    <message>
        <source>Проверить результаты ставок</source>
        <translation>Check the results of stakes</translation>
    </message>
    <message>
        <source>Прокручивать список при добавлении</source>
        <translation>Scroll the list when adding</translation>
    </message>
    <message>
        <source>Прокручивать список ставок к последней при добавлении</source>
        <translation>Scroll the stake list to the last stake when one is added</translation>
    </message>
    <message>
        <source>Суммарный профит по тиражам</source>
        <translation>Total profit by draw</translation>
    </message>
    <message>
        <source>Суммарный профит ставок по тиражам</source>
        <translation>Total stake profit by draw</translation>
    </message>
    <message>
        <source>Журналы ставок</source>
        <translation>Stake logs</translation>
    </message>
    <message>
        <source>Записывать проверенные ставки в журналы</source>
        <translation>Write checked stakes to the logs</translation>
    </message>
    <message>
        <source>Удалить журналы ставок</source>
        <translation>Delete the stake logs</translation>
    </message>
    <message>
        <source>Не хватает скобочки</source>
        <translation>A bracket is missing</translation>
    </message>
    <message>
        <source>Синтаксическая ошибка</source>
        <translation>Syntax error</translation>
    </message>
    <message>
        <source>Деление на нуль</source>
        <translation>Division by zero</translation>
    </message>
    <message>
        <source>Выражение под логарифмом меньне нуля</source>
        <translation>The expression under the logarithm is below zero</translation>
    </message>
    <message>
        <source>Выражение под корнем меньне нуля</source>
        <translation>The expression under the root is below zero</translation>
    </message>
    <message>
        <source>Ошибка в операции с плавающей точкой</source>
        <translation>Floating-point error</translation>
    </message>
    <message>
        <source>Переходы чисел между 2 тиражами без учета позиции</source>
        <translation>Number changes between 2 draws regardless of position</translation>
    </message>
    <message>
        <source>Переходы чисел между 2 тиражами с учетом позиции</source>
        <translation>Number changes between 2 draws by position</translation>
    </message>
    <message>
        <source>Переходы чисел между 2 тиражами в %d позиции</source>
        <translation>Number changes between 2 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы чисел между 3 тиражами с учетом позиции</source>
        <translation>Number changes between 3 draws by position</translation>
    </message>
    <message>
        <source>Переходы чисел между 3 тиражами в %d позиции</source>
        <translation>Number changes between 3 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы каналов между 2 тиражами без учета позиции</source>
        <translation>Channel changes between 2 draws regardless of position</translation>
    </message>
    <message>
        <source>Переходы каналов между 2 тиражами с учетом позиции</source>
        <translation>Channel changes between 2 draws by position</translation>
    </message>
    <message>
        <source>Переходы каналов между 2 тиражами в %d позиции</source>
        <translation>Channel changes between 2 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы каналов между 3 тиражами с учетом позиции</source>
        <translation>Channel changes between 3 draws by position</translation>
    </message>
    <message>
        <source>Переходы каналов между 3 тиражами в %d позиции</source>
        <translation>Channel changes between 3 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d канале между 2 тиражами</source>
        <translation>Changes of the count of numbers in channel %d between 2 draws</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d канале между 3 тиражами</source>
        <translation>Changes of the count of numbers in channel %d between 3 draws</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (все)</source>
        <translation>Number changes within channels (all)</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (N-M, удачные)</source>
        <translation>Number changes within channels (N-M, hits)</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (N-0, не удачные)</source>
        <translation>Number changes within channels (N-0, misses)</translation>
    </message>
    <message>
        <source>Переходы чисел в пределах каналов (количество)</source>
        <translation>Number changes within channels (count)</translation>
    </message>
    <message>
        <source>Переходы сегментов между 2 тиражами без учета позиции</source>
        <translation>Segment changes between 2 draws regardless of position</translation>
    </message>
    <message>
        <source>Переходы сегментов между 2 тиражами с учетом позиции</source>
        <translation>Segment changes between 2 draws by position</translation>
    </message>
    <message>
        <source>Переходы сегментов между 2 тиражами в %d позиции</source>
        <translation>Segment changes between 2 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы сегментов между 3 тиражами с учетом позиции</source>
        <translation>Segment changes between 3 draws by position</translation>
    </message>
    <message>
        <source>Переходы сегментов между 3 тиражами в %d позиции</source>
        <translation>Segment changes between 3 draws at position %d</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d сегменте между 2 тиражами</source>
        <translation>Changes of the count of numbers in segment %d between 2 draws</translation>
    </message>
    <message>
        <source>Переходы кол-ва чисел в %d сегменте между 3 тиражами</source>
        <translation>Changes of the count of numbers in segment %d between 3 draws</translation>
    </message>
    <message>
        <source>Каналы</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Количество чисел в канале</source>
        <translation>Count of numbers in a channel</translation>
    </message>
    <message>
        <source>Количество каналов в тираже</source>
        <translation>Count of channels in the draw</translation>
    </message>
    <message>
        <source>Сочетания из 2 каналов по всем числам тиража</source>
        <translation>Combinations of 2 channels over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 каналов по всем числам тиража</source>
        <translation>Combinations of 3 channels over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 каналов по всем числам тиража</source>
        <translation>Combinations of 4 channels over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 каналов по соседним числам</source>
        <translation>Combinations of 2 channels over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 каналов по соседним числам</source>
        <translation>Combinations of 3 channels over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 каналов по соседним числам</source>
        <translation>Combinations of 4 channels over neighbouring numbers</translation>
    </message>
    <message>
        <source>Количество чисел в %0:d канале</source>
        <translation>Count of numbers in channel %0:d</translation>
    </message>
    <message>
        <source>Сочетания из 2 чисел по всем числам тиража</source>
        <translation>Combinations of 2 numbers over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 чисел по всем числам тиража</source>
        <translation>Combinations of 3 numbers over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 чисел по всем числам тиража</source>
        <translation>Combinations of 4 numbers over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 соседних чисел тиража</source>
        <translation>Combinations of 2 neighbouring draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 соседних чисел тиража</source>
        <translation>Combinations of 3 neighbouring draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 соседних чисел тиража</source>
        <translation>Combinations of 4 neighbouring draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2-х чисел тиража начиная с %0:d позиции</source>
        <translation>Combinations of 2 draw numbers from position %0:d</translation>
    </message>
    <message>
        <source>Сочетания из 3-х чисел тиража начиная с %0:d позиции</source>
        <translation>Combinations of 3 draw numbers from position %0:d</translation>
    </message>
    <message>
        <source>Сочетания из 4-х чисел тиража начиная с %0:d позиции</source>
        <translation>Combinations of 4 draw numbers from position %0:d</translation>
    </message>
    <message>
        <source>Сочетания из 2 чисел тиража по возрастанию</source>
        <translation>Combinations of 2 draw numbers in ascending order</translation>
    </message>
    <message>
        <source>Сочетания из 3 чисел тиража по возрастанию</source>
        <translation>Combinations of 3 draw numbers in ascending order</translation>
    </message>
    <message>
        <source>Сочетания из 4 чисел тиража по возрастанию</source>
        <translation>Combinations of 4 draw numbers in ascending order</translation>
    </message>
    <message>
        <source>Все разности между соседними позициями</source>
        <translation>All differences between neighbouring positions</translation>
    </message>
    <message>
        <source>Максимальная разность между соседними позициями</source>
        <translation>Largest difference between neighbouring positions</translation>
    </message>
    <message>
        <source>Разность между минимальным и максимальным числом</source>
        <translation>Difference between the smallest and largest number</translation>
    </message>
    <message>
        <source>Количество одинаковых разностей между соседними позициями</source>
        <translation>Count of equal differences between neighbouring positions</translation>
    </message>
    <message>
        <source>Одинаковые разности между соседними позициями</source>
        <translation>Equal differences between neighbouring positions</translation>
    </message>
    <message>
        <source>Сочетания из 2 разностей между числами</source>
        <translation>Combinations of 2 differences between numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 разностей между числами</source>
        <translation>Combinations of 3 differences between numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 разностей между числами</source>
        <translation>Combinations of 4 differences between numbers</translation>
    </message>
    <message>
        <source>Столбцы матрицы (не пустые)</source>
        <translation>Matrix columns (not empty)</translation>
    </message>
    <message>
        <source>Строки матрицы (не пустые)</source>
        <translation>Matrix rows (not empty)</translation>
    </message>
    <message>
        <source>Количество чисел в столбце матрицы</source>
        <translation>Count of numbers in a matrix column</translation>
    </message>
    <message>
        <source>Количество чисел в строке матрицы</source>
        <translation>Count of numbers in a matrix row</translation>
    </message>
    <message>
        <source>Количество не пустых столбцов в матрице</source>
        <translation>Count of non-empty columns of the matrix</translation>
    </message>
    <message>
        <source>Количество не пустых строк в матрице</source>
        <translation>Count of non-empty rows of the matrix</translation>
    </message>
    <message>
        <source>Сочетания столбцов матрицы</source>
        <translation>Combinations of matrix columns</translation>
    </message>
    <message>
        <source>Сочетания строк матрицы</source>
        <translation>Combinations of matrix rows</translation>
    </message>
    <message>
        <source>Столбцы матрицы со смежными числами</source>
        <translation>Matrix columns with adjacent numbers</translation>
    </message>
    <message>
        <source>Строки матрицы со смежными числами</source>
        <translation>Matrix rows with adjacent numbers</translation>
    </message>
    <message>
        <source>Количество столбцов матрицы со смежными числами</source>
        <translation>Count of matrix columns with adjacent numbers</translation>
    </message>
    <message>
        <source>Количество строк матрицы со смежными числами</source>
        <translation>Count of matrix rows with adjacent numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 столбцов по всем числам тиража</source>
        <translation>Combinations of 2 columns over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 столбцов по всем числам тиража</source>
        <translation>Combinations of 3 columns over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 столбцов по всем числам тиража</source>
        <translation>Combinations of 4 columns over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 столбцов по соседним числам</source>
        <translation>Combinations of 2 columns over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 столбцов по соседним числам</source>
        <translation>Combinations of 3 columns over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 столбцов по соседним числам</source>
        <translation>Combinations of 4 columns over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 строк по всем числам тиража</source>
        <translation>Combinations of 2 rows over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 строк по всем числам тиража</source>
        <translation>Combinations of 3 rows over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 строк по всем числам тиража</source>
        <translation>Combinations of 4 rows over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 строк по соседним числам</source>
        <translation>Combinations of 2 rows over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 строк по соседним числам</source>
        <translation>Combinations of 3 rows over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 строк по соседним числам</source>
        <translation>Combinations of 4 rows over neighbouring numbers</translation>
    </message>
    <message>
        <source>Количество чисел в %0:d столбце матрицы</source>
        <translation>Count of numbers in matrix column %0:d</translation>
    </message>
    <message>
        <source>Количество чисел в %0:d строке матрицы</source>
        <translation>Count of numbers in matrix row %0:d</translation>
    </message>
    <message>
        <source>Числа тиража</source>
        <translation>Draw numbers</translation>
    </message>
    <message>
        <source>Цифры тиража</source>
        <translation>Digits of the draw</translation>
    </message>
    <message>
        <source>Количество четных чисел в тираже (Ч:Н)</source>
        <translation>Count of even numbers in the draw (E:O)</translation>
    </message>
    <message>
        <source>Количество чисел из первой половины диапазона (1П:2П)</source>
        <translation>Count of numbers from the first half of the range (1H:2H)</translation>
    </message>
    <message>
        <source>Количество простых чисел (П:С)</source>
        <translation>Count of prime numbers (P:C)</translation>
    </message>
    <message>
        <source>Четные и нечетные числа в тираже (Чн..нЧ)</source>
        <translation>Even and odd numbers in the draw (Чн..нЧ)</translation>
    </message>
    <message>
        <source>Числа из первой половины диапазона (12..12)</source>
        <translation>Numbers from the first half of the range (12..12)</translation>
    </message>
    <message>
        <source>Простые и составные числа (ПС..СП)</source>
        <translation>Prime and composite numbers (ПС..СП)</translation>
    </message>
    <message>
        <source>Число в %0:d позиции тиража</source>
        <translation>Number at position %0:d of the draw</translation>
    </message>
    <message>
        <source>Extra (Bonus, Star...) - число (!без фильтра!)</source>
        <translation>Extra (Bonus, Star...) - number (!no filter!)</translation>
    </message>
    <message>
        <source>Число Огнева 1 (только разность)</source>
        <translation>Ognev number 1 (difference only)</translation>
    </message>
    <message>
        <source>Число Огнева 2 (разность + сложение, если {0,1})</source>
        <translation>Ognev number 2 (difference + sum when {0,1})</translation>
    </message>
    <message>
        <source>Числа Огнева 3 (динамический, только фильтр)</source>
        <translation>Ognev numbers 3 (dynamic, filter only)</translation>
    </message>
    <message>
        <source>Периоды повторения чисел</source>
        <translation>Periods between repeats of numbers</translation>
    </message>
    <message>
        <source>Периоды повторения каналов</source>
        <translation>Periods between repeats of channels</translation>
    </message>
    <message>
        <source>Периоды повторения сегментов</source>
        <translation>Periods between repeats of segments</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах подряд</source>
        <translation>Numbers repeated in 2 draws in a row</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах через 1 тираж(а)</source>
        <translation>Numbers repeated in 2 draws 1 draw apart</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах через 2 тираж(а)</source>
        <translation>Numbers repeated in 2 draws 2 draws apart</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 2-х тиражах через 3 тираж(а)</source>
        <translation>Numbers repeated in 2 draws 3 draws apart</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража + 1</source>
        <translation>Previous draw&apos;s numbers + 1</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража - 1</source>
        <translation>Previous draw&apos;s numbers - 1</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража + 2</source>
        <translation>Previous draw&apos;s numbers + 2</translation>
    </message>
    <message>
        <source>Данные предыдущего тиража - 2</source>
        <translation>Previous draw&apos;s numbers - 2</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах подряд</source>
        <translation>Count of repeats in 2 draws in a row</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах через 1 тираж(а)</source>
        <translation>Count of repeats in 2 draws 1 draw apart</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах через 2 тираж(а)</source>
        <translation>Count of repeats in 2 draws 2 draws apart</translation>
    </message>
    <message>
        <source>Количество повторов в 2-х тиражах через 3 тираж(а)</source>
        <translation>Count of repeats in 2 draws 3 draws apart</translation>
    </message>
    <message>
        <source>Количество совпадений &quot;значений + 1&quot;</source>
        <translation>Count of matches of &quot;values + 1&quot;</translation>
    </message>
    <message>
        <source>Количество совпадений &quot;значений - 1&quot;</source>
        <translation>Count of matches of &quot;values - 1&quot;</translation>
    </message>
    <message>
        <source>Количество совпадений &quot;значений + 2&quot;</source>
        <translation>Count of matches of &quot;values + 2&quot;</translation>
    </message>
    <message>
        <source>Количество совпадений &quot;значений - 2&quot;</source>
        <translation>Count of matches of &quot;values - 2&quot;</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в 3-х тиражах подряд</source>
        <translation>Numbers repeated in 3 draws in a row</translation>
    </message>
    <message>
        <source>Повторяющиеся числа не более чем в 2-х тиражах</source>
        <translation>Numbers repeated in at most 2 draws</translation>
    </message>
    <message>
        <source>Количество повторов в 3-х тиражах подряд</source>
        <translation>Count of repeats in 3 draws in a row</translation>
    </message>
    <message>
        <source>Количество повторов не более чем в 2-х тиражах</source>
        <translation>Count of repeats in at most 2 draws</translation>
    </message>
    <message>
        <source>Сегменты матрицы</source>
        <translation>Matrix segments</translation>
    </message>
    <message>
        <source>Количество чисел в сегменте матрицы</source>
        <translation>Count of numbers in a matrix segment</translation>
    </message>
    <message>
        <source>Количество не пустых сегментов в матрице</source>
        <translation>Count of non-empty segments of the matrix</translation>
    </message>
    <message>
        <source>Сочетания из 2 сегментов по всем числам тиража</source>
        <translation>Combinations of 2 segments over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 сегментов по всем числам тиража</source>
        <translation>Combinations of 3 segments over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 сегментов по всем числам тиража</source>
        <translation>Combinations of 4 segments over all draw numbers</translation>
    </message>
    <message>
        <source>Сочетания из 2 сегментов по соседним числам</source>
        <translation>Combinations of 2 segments over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 3 сегментов по соседним числам</source>
        <translation>Combinations of 3 segments over neighbouring numbers</translation>
    </message>
    <message>
        <source>Сочетания из 4 сегментов по соседним числам</source>
        <translation>Combinations of 4 segments over neighbouring numbers</translation>
    </message>
    <message>
        <source>Количество чисел в %0:d сегменте матрицы</source>
        <translation>Count of numbers in matrix segment %0:d</translation>
    </message>
    <message>
        <source>Длина последовательности в тираже</source>
        <translation>Length of a run in the draw</translation>
    </message>
    <message>
        <source>Количество последовательностей в тираже</source>
        <translation>Count of runs in the draw</translation>
    </message>
    <message>
        <source>Макс. длина последовательности в тираже</source>
        <translation>Longest run in the draw</translation>
    </message>
    <message>
        <source>Повторы чисел в нескольких тиражах подряд</source>
        <translation>Numbers repeated over several draws in a row</translation>
    </message>
    <message>
        <source>Интервалы между повторениями чисел</source>
        <translation>Intervals between repeats of numbers</translation>
    </message>
    <message>
        <source>Повторы каналов в нескольких тиражах подряд</source>
        <translation>Channels repeated over several draws in a row</translation>
    </message>
    <message>
        <source>Интервалы между повторениями каналов</source>
        <translation>Intervals between repeats of channels</translation>
    </message>
    <message>
        <source>Повторы сегментов в нескольких тиражах подряд</source>
        <translation>Segments repeated over several draws in a row</translation>
    </message>
    <message>
        <source>Интервалы между повторениями сегментов</source>
        <translation>Intervals between repeats of segments</translation>
    </message>
    <message>
        <source>Тираж %d: %s</source>
        <translation>Draw %d: %s</translation>
    </message>
    <message>
        <source>Метод шинковки %0:d: %%s</source>
        <translation>Shredding method %0:d: %%s</translation>
    </message>
    <message>
        <source>Остальные</source>
        <translation>Others</translation>
    </message>
    <message>
        <source>Сумма тиража: все значения</source>
        <translation>Draw sum: all values</translation>
    </message>
    <message>
        <source>Сумма тиража: только четные</source>
        <translation>Draw sum: even numbers only</translation>
    </message>
    <message>
        <source>Сумма тиража: только простые</source>
        <translation>Draw sum: prime numbers only</translation>
    </message>
    <message>
        <source>Сумма тиража: диапазон %d (%d/%d)</source>
        <translation>Draw sum: range %d (%d/%d)</translation>
    </message>
    <message>
        <source>Сумма тиража: изменения (точно)</source>
        <translation>Draw sum: changes (exact)</translation>
    </message>
    <message>
        <source>Сумма тиража: изменения (диапазон)</source>
        <translation>Draw sum: changes (range)</translation>
    </message>
    <message>
        <source>Сумма тиража: направление изменения</source>
        <translation>Draw sum: direction of change</translation>
    </message>
    <message>
        <source>Сумма двух чисел тиража равна третьему числу</source>
        <translation>Sum of two draw numbers equals a third number</translation>
    </message>
    <message>
        <source>всего %d методов</source>
        <translation>%d methods in all</translation>
    </message>
    <message>
        <source>Сумма чисел тиража</source>
        <translation>Sum of the draw numbers</translation>
    </message>
    <message>
        <source>Разности между числами тиража</source>
        <translation>Differences between the draw numbers</translation>
    </message>
    <message>
        <source>Каналы (группы чисел)</source>
        <translation>Channels (groups of numbers)</translation>
    </message>
    <message>
        <source>Матрица тиража</source>
        <translation>Matrix of the draw</translation>
    </message>
    <message>
        <source>Сегменты матрицы тиража</source>
        <translation>Segments of the draw matrix</translation>
    </message>
    <message>
        <source>Последовательности чисел в одном тираже</source>
        <translation>Runs of numbers within one draw</translation>
    </message>
    <message>
        <source>Повторяющиеся числа в нескольких тиражах</source>
        <translation>Numbers repeated over several draws</translation>
    </message>
    <message>
        <source>Серии (цепочки) значений</source>
        <translation>Series (chains) of values</translation>
    </message>
    <message>
        <source>Периоды повторения значений</source>
        <translation>Periods between repeats of values</translation>
    </message>
    <message>
        <source>Переходы (изменения) значений между тиражами</source>
        <translation>Changes of values between draws</translation>
    </message>
    <message>
        <source>Характеристическое число Огнева</source>
        <translation>Ognev characteristic number</translation>
    </message>
    <message>
        <source>Методы шинковки</source>
        <translation>Shredding methods</translation>
    </message>
    <message>
        <source>Менеджер избранных методов расчета статистики</source>
        <translation>Favourite statistic methods</translation>
    </message>
    <message>
        <source>Отметьте методы расчета статистики, которые Вы хотите использовать:</source>
        <translation>Tick the statistic methods you want to use:</translation>
    </message>
    <message>
        <source>Сбросить все</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>Выбрать все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Сбросить группу</source>
        <translation>Clear group</translation>
    </message>
    <message>
        <source>Выбрать группу</source>
        <translation>Select group</translation>
    </message>
    <message>
        <source>Переименовать</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Вернуть</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Описание</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>Импорт названий</source>
        <translation>Import names</translation>
    </message>
    <message>
        <source>Экспорт названий</source>
        <translation>Export names</translation>
    </message>
    <message>
        <source>Сортировать списки по названию метода</source>
        <translation>Sort the lists by method name</translation>
    </message>
    <message>
        <source>Отображать идентификатор группы { xxx } перед названием метода</source>
        <translation>Show the group code { xxx } before the method name</translation>
    </message>
    <message>
        <source>Отображать особенности метода [ YYY ] после названия метода</source>
        <translation>Show the method&apos;s features [ YYY ] after the method name</translation>
    </message>
    <message>
        <source>Переименование</source>
        <translation>Rename</translation>
    </message>
    <message>
        <source>Введите наименование фильтра:</source>
        <translation>Enter the filter name:</translation>
    </message>
    <message>
        <source>Наименования фильтров (*.flt)</source>
        <translation>Filter names (*.flt)</translation>
    </message>
    <message>
        <source>Описание методики расчета</source>
        <translation>Method description</translation>
    </message>
    <message>
        <source>Формула %1:</source>
        <translation>Formula %1:</translation>
    </message>
    <message>
        <source>Используемая формула</source>
        <translation>The formula used</translation>
    </message>
    <message>
        <source>Количество используемых знаков после запятой</source>
        <translation>Number of decimal places used</translation>
    </message>
    <message>
        <source>Используемые переменные:
n1, n2, n3, ..., nX - числа текущего тиража
p1, p2, p3, ..., pX - числа предыдущего тиража</source>
        <translation>Variables:
n1, n2, n3, ..., nX - numbers of the current draw
p1, p2, p3, ..., pX - numbers of the previous draw</translation>
    </message>
    <message>
        <source>Ошибка создания файла данных для полного набора вариантов!&#xd;&#xd;Имя файла: %s&#xd;&#xd;%s</source>
        <translation>Error creating the data file for the full set of variants!&#xd;&#xd;File name: %s&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Создание файла предварительной выборки %s...</source>
        <translation>Creating the prefetch file %s...</translation>
    </message>
    <message>
        <source>Ошибка открытия файла данных для полного набора вариантов!&#xd;&#xd;Имя файла: %s&#xd;&#xd;%s</source>
        <translation>Error opening the data file for the full set of variants!&#xd;&#xd;File name: %s&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Дата тиража:</source>
        <translation>Draw date:</translation>
    </message>
    <message>
        <source>Наиболее часто встречающееся значение</source>
        <translation>Most frequent value</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Количество</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Кол-во в %</source>
        <translation>Count in %</translation>
    </message>
    <message>
        <source>Норма</source>
        <translation>Norm</translation>
    </message>
    <message>
        <source>Отклонение</source>
        <translation>Deviation</translation>
    </message>
    <message>
        <source>Откл-ие в %</source>
        <translation>Deviation in %</translation>
    </message>
    <message>
        <source>Глубина</source>
        <translation>Depth</translation>
    </message>
    <message>
        <source>Глубина в %</source>
        <translation>Depth in %</translation>
    </message>
    <message>
        <source>Посл. тираж</source>
        <translation>Last draw</translation>
    </message>
    <message>
        <source>Период min</source>
        <translation>Period min</translation>
    </message>
    <message>
        <source>Период</source>
        <translation>Period</translation>
    </message>
    <message>
        <source>Период max</source>
        <translation>Period max</translation>
    </message>
    <message>
        <source>Ожд. ПРД</source>
        <translation>Exp. PRD</translation>
    </message>
    <message>
        <source>Ожд. СТФ</source>
        <translation>Exp. STF</translation>
    </message>
    <message>
        <source>Ожд. КРН</source>
        <translation>Exp. KRN</translation>
    </message>
    <message>
        <source>Факт</source>
        <translation>Fact</translation>
    </message>
    <message>
        <source>+/- ПРД</source>
        <translation>+/- PRD</translation>
    </message>
    <message>
        <source>+/- СТФ</source>
        <translation>+/- STF</translation>
    </message>
    <message>
        <source>+/- КРН</source>
        <translation>+/- KRN</translation>
    </message>
    <message>
        <source>Фактические данные</source>
        <translation>Actual data</translation>
    </message>
    <message>
        <source>Все возможные комбинации</source>
        <translation>All possible combinations</translation>
    </message>
    <message>
        <source>Кол-во</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>Кол-во повторов</source>
        <translation>Repeats</translation>
    </message>
    <message>
        <source>Список тиражей</source>
        <translation>Draw list</translation>
    </message>
    <message>
        <source>Совпадений: %d</source>
        <translation>Matches: %d</translation>
    </message>
    <message>
        <source>Диапазон %d (от %s и выше по оси Y) - суммы %d-%d</source>
        <translation>Range %d (from %s upwards on the Y axis) - sums %d-%d</translation>
    </message>
    <message>
        <source>Фактическое распределение сумм (по тиражам)</source>
        <translation>Actual distribution of sums (over draws)</translation>
    </message>
    <message>
        <source>Теоретическое распределение сумм (по комбинациям)</source>
        <translation>Theoretical distribution of sums (over combinations)</translation>
    </message>
    <message>
        <source>Вкладка &quot;Графики&quot;</source>
        <translation>Tab &quot;Graphs&quot;</translation>
    </message>
    <message>
        <source>Скрыть / показать вкладку &quot;Графики&quot;</source>
        <translation>Hide / show the &quot;Graphs&quot; tab</translation>
    </message>
    <message>
        <source>Графики</source>
        <translation>Graphs</translation>
    </message>
    <message>
        <source>Вкладка &quot;Карта&quot;</source>
        <translation>Tab &quot;Card&quot;</translation>
    </message>
    <message>
        <source>Скрыть / показать вкладку &quot;Карта тиражей&quot;</source>
        <translation>Hide / show the &quot;Draw card&quot; tab</translation>
    </message>
    <message>
        <source>Карта</source>
        <translation>Card</translation>
    </message>
    <message>
        <source>Вкладка &quot;Схема&quot;</source>
        <translation>Tab &quot;Layout&quot;</translation>
    </message>
    <message>
        <source>Скрыть / показать вкладку &quot;Схема&quot;</source>
        <translation>Hide / show the &quot;Layout&quot; tab</translation>
    </message>
    <message>
        <source>Схема</source>
        <translation>Layout</translation>
    </message>
    <message>
        <source>Вкладка &quot;Неделя&quot;</source>
        <translation>Tab &quot;Week&quot;</translation>
    </message>
    <message>
        <source>Скрыть / показать вкладку &quot;Неделя&quot;</source>
        <translation>Hide / show the &quot;Week&quot; tab</translation>
    </message>
    <message>
        <source>Неделя</source>
        <translation>Week</translation>
    </message>
    <message>
        <source>Распределение сумм тиражей и всех возможных комбинаций</source>
        <translation>Distribution of the sums of draws and of all possible combinations</translation>
    </message>
    <message>
        <source>Распределение сумм всех возможных комбинаций и архива тиражей одновременно</source>
        <translation>Distribution of the sums of all possible combinations and of the draw archive together</translation>
    </message>
    <message>
        <source>Количество повторов в зависимости от тиража</source>
        <translation>Repeats by draw</translation>
    </message>
    <message>
        <source>Сведения о тираже</source>
        <translation>Draw details</translation>
    </message>
    <message>
        <source>Просмотр подробных сведений о тираже</source>
        <translation>Show the details of a draw</translation>
    </message>
    <message>
        <source>Сведения о комбинации</source>
        <translation>Combination details</translation>
    </message>
    <message>
        <source>Просмотр подробных сведений о комбинации</source>
        <translation>Show the details of a combination</translation>
    </message>
    <message>
        <source>Сумма</source>
        <translation>Sum</translation>
    </message>
    <message>
        <source>Количество тиражей</source>
        <translation>Number of draws</translation>
    </message>
    <message>
        <source>Комбинаций</source>
        <translation>Combinations</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики</source>
        <translation>Number of draws the statistics are calculated over</translation>
    </message>
    <message>
        <source>Количество тиражей, просматриваемых &quot;в глубину&quot; для поиска совпадений</source>
        <translation>Number of draws searched back for matches</translation>
    </message>
    <message>
        <source>Рассчитать</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>Тиражей:</source>
        <translation>Draws:</translation>
    </message>
    <message>
        <source>Глубина поиска:</source>
        <translation>Search depth:</translation>
    </message>
    <message>
        <source>Подробная информация</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Свойство</source>
        <translation>Property</translation>
    </message>
    <message>
        <source>Количество столбцов:</source>
        <translation>Columns:</translation>
    </message>
    <message>
        <source>В списке комбинаций оставить комбинации с выделенными значениями</source>
        <translation>Keep the combinations with the selected values in the combination list</translation>
    </message>
    <message>
        <source>Из списка комбинаций удалить комбинации с выделенными  значениями</source>
        <translation>Remove the combinations with the selected values from the combination list</translation>
    </message>
    <message>
        <source>Выделять каналы в карте тиражей</source>
        <translation>Mark channels on the draw card</translation>
    </message>
    <message>
        <source>Выделять цветами каналы в карте тиражей</source>
        <translation>Colour the channels on the draw card</translation>
    </message>
    <message>
        <source>Выделять последовательности в карте тиражей</source>
        <translation>Mark runs on the draw card</translation>
    </message>
    <message>
        <source>Выделять цветами последовательности в карте тиражей</source>
        <translation>Colour the runs on the draw card</translation>
    </message>
    <message>
        <source>Обновить</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>Построить графики по выбранным параметрам</source>
        <translation>Draw the graphs with the chosen parameters</translation>
    </message>
    <message>
        <source>Тип графика</source>
        <translation>Graph type</translation>
    </message>
    <message>
        <source>Тип графика:</source>
        <translation>Graph type:</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для построения графиков</source>
        <translation>Number of draws the graphs are drawn over</translation>
    </message>
    <message>
        <source>Отображать метки на графике</source>
        <translation>Show labels on the graph</translation>
    </message>
    <message>
        <source>Количество тиражей, использующихся для расчета статистики в списке %1</source>
        <translation>Number of draws the statistics of list %1 are calculated over</translation>
    </message>
    <message>
        <source>Пересчитать схему выпадения номеров</source>
        <translation>Recalculate the layout scheme</translation>
    </message>
    <message>
        <source>Пересчитать таблицы сравнения</source>
        <translation>Recalculate the comparison tables</translation>
    </message>
    <message>
        <source>Обновить списки</source>
        <translation>Refresh lists</translation>
    </message>
    <message>
        <source>Градиентная раскраска схемы</source>
        <translation>Gradient colouring of the scheme</translation>
    </message>
    <message>
        <source>Раскрашивать схему градиентом, иначе клетками</source>
        <translation>Colour the scheme with a gradient, otherwise cell by cell</translation>
    </message>
    <message>
        <source>Вид расчета статистики</source>
        <translation>Statistics method</translation>
    </message>
    <message>
        <source>Вид расчета:</source>
        <translation>Method:</translation>
    </message>
    <message>
        <source>Пересчитать статистику тиражей</source>
        <translation>Recalculate the draw statistics</translation>
    </message>
    <message>
        <source>Использовать сравнение с полным набором комбинаций</source>
        <translation>Compare with the full combination set</translation>
    </message>
    <message>
        <source>Сравнивать статистику тиражей с распределением по всем возможным комбинациям</source>
        <translation>Compare the draw statistics with the distribution over all possible combinations</translation>
    </message>
    <message>
        <source>Сравнение</source>
        <translation>Comparison</translation>
    </message>
    <message>
        <source>График идеального распределения</source>
        <translation>Ideal distribution graph</translation>
    </message>
    <message>
        <source>Показывать на графике распределение по всем возможным комбинациям</source>
        <translation>Show the distribution over all possible combinations on the graph</translation>
    </message>
    <message>
        <source>Идеальный график</source>
        <translation>Ideal graph</translation>
    </message>
    <message>
        <source>Копировать</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Копировать выделенные строки таблицы статистики</source>
        <translation>Copy the selected rows of the statistics table</translation>
    </message>
    <message>
        <source>Оставить в списке комбинации, имеющие выделенные значения</source>
        <translation>Keep the combinations having the selected values in the list</translation>
    </message>
    <message>
        <source>Оставить</source>
        <translation>Keep</translation>
    </message>
    <message>
        <source>Удалить из списка комбинации, имеющие выделенные значения</source>
        <translation>Remove the combinations having the selected values from the list</translation>
    </message>
    <message>
        <source>Пересчитать статистику по выбранным параметрам</source>
        <translation>Recalculate the statistics with the chosen parameters</translation>
    </message>
    <message>
        <source>График по дням недели</source>
        <translation>Weekday chart</translation>
    </message>
    <message>
        <source>Режим графика на вкладке &quot;дни недели&quot;</source>
        <translation>Chart mode of the &quot;weekdays&quot; tab</translation>
    </message>
    <message>
        <source>График / диаграмма</source>
        <translation>Graph / diagram</translation>
    </message>
    <message>
        <source>Вид графика на вкладке &quot;Дни недели&quot;</source>
        <translation>Chart kind of the &quot;Weekdays&quot; tab</translation>
    </message>
    <message>
        <source>День недели</source>
        <translation>Weekday</translation>
    </message>
    <message>
        <source>Число</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Число %d по дням недели</source>
        <translation>Number %d by weekday</translation>
    </message>
    <message>
        <source>Тиражей: %d; без читаемой даты (не учтены по дням недели): %d</source>
        <translation>Draws: %d; without a readable date (not counted by weekday): %d</translation>
    </message>
    <message>
        <source>Пн</source>
        <translation>Mon</translation>
    </message>
    <message>
        <source>Вт</source>
        <translation>Tue</translation>
    </message>
    <message>
        <source>Ср</source>
        <translation>Wed</translation>
    </message>
    <message>
        <source>Чт</source>
        <translation>Thu</translation>
    </message>
    <message>
        <source>Пт</source>
        <translation>Fri</translation>
    </message>
    <message>
        <source>Сб</source>
        <translation>Sat</translation>
    </message>
    <message>
        <source>Вс</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Всего</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Без даты</source>
        <translation>No date</translation>
    </message>
    <message>
        <source>&quot;: в файле нет ни одной комбинации</source>
        <translation>&quot;: the file holds no combination</translation>
    </message>
    <message>
        <source>Файлы комбинаций (*.lcv)|*.lcv</source>
        <translation>Combination files (*.lcv)|*.lcv</translation>
    </message>
    <message>
        <source>В выделенном диапазоне нет значений для фильтра!</source>
        <translation>The selected range holds no values for the filter!</translation>
    </message>
    <message>
        <source>Полный список (все возможные для данного лото варианты)</source>
        <translation>Full list (every possible variant of this game)</translation>
    </message>
    <message>
        <source>Мои числа - должно присутствовать любое из указанных</source>
        <translation>My numbers - any of them must be present</translation>
    </message>
    <message>
        <source>Мои числа - комбинации только из списка указанных</source>
        <translation>My numbers - combinations of these numbers only</translation>
    </message>
    <message>
        <source>Мои числа - исключить комбинации с любым из указанных</source>
        <translation>My numbers - exclude combinations with any of them</translation>
    </message>
    <message>
        <source>Загрузить список из заранее подготовленного CSV-файла</source>
        <translation>Load the list from a prepared CSV file</translation>
    </message>
    <message>
        <source>№ п.п.</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>Примененные фильтры</source>
        <translation>Applied filters</translation>
    </message>
    <message>
        <source>Значения</source>
        <translation>Values</translation>
    </message>
    <message>
        <source>Комбинаций: %d</source>
        <translation>Combinations: %d</translation>
    </message>
    <message>
        <source>Ошибка генерации файла комбинаций!&#xd;&#xd;%s</source>
        <translation>Error generating the combination file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Создание файла отката...</source>
        <translation>Making the undo file...</translation>
    </message>
    <message>
        <source>Отмена изменений...</source>
        <translation>Undoing the changes...</translation>
    </message>
    <message>
        <source>Удаление из списка комбинаций %d последних тиражей...</source>
        <translation>Removing the newest %d draws from the combination list...</translation>
    </message>
    <message>
        <source>Удаление из списка комбинаций %d последних тиражей ( завершено %.0f %% )...</source>
        <translation>Removing the newest %d draws from the combination list ( %.0f %% done )...</translation>
    </message>
    <message>
        <source>Последние тиражи</source>
        <translation>Newest draws</translation>
    </message>
    <message>
        <source>Создание буфера комбинаций...</source>
        <translation>Making the combination buffer...</translation>
    </message>
    <message>
        <source>Ошибка создания буфера комбинаций!&#xd;&#xd;%s</source>
        <translation>Error making the combination buffer!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Загрузка буфера комбинаций...</source>
        <translation>Loading the combination buffer...</translation>
    </message>
    <message>
        <source>Ошибка загрузки буфера комбинаций!&#xd;&#xd;%s</source>
        <translation>Error loading the combination buffer!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Отмена последней операции</source>
        <translation>Undo of the last operation</translation>
    </message>
    <message>
        <source>Удаление выделенных комбинаций...</source>
        <translation>Deleting the selected combinations...</translation>
    </message>
    <message>
        <source>Выделенные комбинации</source>
        <translation>Selected combinations</translation>
    </message>
    <message>
        <source>В текущем списке комбинаций содержится %d уникальных номеров</source>
        <translation>The current combination list holds %d distinct numbers</translation>
    </message>
    <message>
        <source>Выделенная комбинация не найдена архиве тиражей!</source>
        <translation>The selected combination was not found in the draw archive!</translation>
    </message>
    <message>
        <source>Выделенная комбинация найдена в следующих тиражах:&#xd;</source>
        <translation>The selected combination was found in these draws:&#xd;</translation>
    </message>
    <message>
        <source>Исключить указанное количество последних тиражей из списка комбинаций</source>
        <translation>Exclude the given number of newest draws from the combination list</translation>
    </message>
    <message>
        <source>Исключить последних тиражей:</source>
        <translation>Exclude newest draws:</translation>
    </message>
    <message>
        <source>Генерировать</source>
        <translation>Generate</translation>
    </message>
    <message>
        <source>Новый</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Создать новый список комбинаций</source>
        <translation>Make a new combination list</translation>
    </message>
    <message>
        <source>Загрузить список комбинаций из файла</source>
        <translation>Load a combination list from a file</translation>
    </message>
    <message>
        <source>Сохранить список комбинаций в файл</source>
        <translation>Save the combination list to a file</translation>
    </message>
    <message>
        <source>Копировать в буфер</source>
        <translation>Copy to clipboard</translation>
    </message>
    <message>
        <source>Копировать выделенные комбинации в буфер обмена</source>
        <translation>Copy the selected combinations to the clipboard</translation>
    </message>
    <message>
        <source>Вставить из буфера</source>
        <translation>Paste from clipboard</translation>
    </message>
    <message>
        <source>Вставить</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Заменить список комбинациями из буфера обмена</source>
        <translation>Replace the list with the combinations on the clipboard</translation>
    </message>
    <message>
        <source>Выделить все</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>Выделить все комбинации списка</source>
        <translation>Select every combination of the list</translation>
    </message>
    <message>
        <source>Удалить выделенные комбинации из списка</source>
        <translation>Delete the selected combinations from the list</translation>
    </message>
    <message>
        <source>Исключить тиражи</source>
        <translation>Exclude draws</translation>
    </message>
    <message>
        <source>[-] Тиражи</source>
        <translation>[-] Draws</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Отменить последнее изменение списка комбинаций</source>
        <translation>Undo the last change of the combination list</translation>
    </message>
    <message>
        <source>Количество уникальных номеров</source>
        <translation>Count of distinct numbers</translation>
    </message>
    <message>
        <source>Уникальные</source>
        <translation>Distinct</translation>
    </message>
    <message>
        <source>Сколько разных чисел содержит список комбинаций</source>
        <translation>How many different numbers the combination list holds</translation>
    </message>
    <message>
        <source>Проверить по архиву тиражей</source>
        <translation>Check against the draw archive</translation>
    </message>
    <message>
        <source>По архиву</source>
        <translation>In archive</translation>
    </message>
    <message>
        <source>Найти выделенную комбинацию в архиве тиражей</source>
        <translation>Find the selected combination in the draw archive</translation>
    </message>
    <message>
        <source>Выделять каналы в списке комбинаций</source>
        <translation>Mark channels in the combination list</translation>
    </message>
    <message>
        <source>Окрашивать числа комбинаций цветом их канала</source>
        <translation>Paint the combination numbers in the colour of their channel</translation>
    </message>
    <message>
        <source>Создание нового списка комбинаций</source>
        <translation>New combination list</translation>
    </message>
    <message>
        <source>Режим генерации списка комбинаций:</source>
        <translation>How the combination list is generated:</translation>
    </message>
    <message>
        <source>Мои числа или имя файла для загрузки:</source>
        <translation>My numbers or the name of the file to load:</translation>
    </message>
    <message>
        <source>Сохранить эти параметры для генерации комбинаций &quot;по умолчанию&quot;</source>
        <translation>Save these parameters as the &quot;default&quot; for generating combinations</translation>
    </message>
    <message>
        <source>Экспорт в Microsoft Excel</source>
        <translation>Export to Microsoft Excel</translation>
    </message>
    <message>
        <source>Не найден каталог данных пользователя: не заданы HOME и XDG_DATA_HOME.</source>
        <translation>The user data folder was not found: HOME and XDG_DATA_HOME are not set.</translation>
    </message>
    <message>
        <source>Загрузка &quot;%s&quot;...</source>
        <translation>Downloading &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Ошибка загрузки системы #%d!&#xd;&#xd;%s</source>
        <translation>Error downloading system #%d!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Загрузка списка систем...</source>
        <translation>Loading the system list...</translation>
    </message>
    <message>
        <source>Ошибка загрузки списка систем!&#xd;&#xd;%s</source>
        <translation>Error loading the system list!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Список систем не доступен!</source>
        <translation>The system list is not available!</translation>
    </message>
    <message>
        <source>Ошибка изменения системы!&#xd;&#xd;%s</source>
        <translation>Error changing the system!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Сохранение &quot;%s&quot;...</source>
        <translation>Saving &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Ошибка сохранения системы #%d!&#xd;&#xd;%s</source>
        <translation>Error saving system #%d!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка добавления системы!&#xd;&#xd;%s</source>
        <translation>Error adding the system!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Вы можете удалять только свои системы!</source>
        <translation>You can delete only your own systems!</translation>
    </message>
    <message>
        <source>Вы действительно хотите удалить систему &quot;%s&quot;?</source>
        <translation>Do you really want to delete the system &quot;%s&quot;?</translation>
    </message>
    <message>
        <source>Удаление &quot;%s&quot;...</source>
        <translation>Deleting &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Ошибка удаления системы!&#xd;&#xd;%s</source>
        <translation>Error deleting the system!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Системная игра для %d чисел [вся система]: %s</source>
        <translation>System play for %d numbers [whole system]: %s</translation>
    </message>
    <message>
        <source>Системная игра для %d чисел [комбинации]: %s</source>
        <translation>System play for %d numbers [combinations]: %s</translation>
    </message>
    <message>
        <source>Загрузка online-каталога сценариев...</source>
        <translation>Loading the online script catalogue...</translation>
    </message>
    <message>
        <source>Ошибка загрузки каталога online-сценариев!&#xd;&#xd;%s</source>
        <translation>Error loading the online script catalogue!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Скачивание сценария из online-каталога...</source>
        <translation>Downloading the script from the online catalogue...</translation>
    </message>
    <message>
        <source>Ошибка загрузки online-сценария!&#xd;&#xd;%s</source>
        <translation>Error downloading the online script!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Название сценария должно быть указано обязательно!</source>
        <translation>The script name must be given!</translation>
    </message>
    <message>
        <source>Сценарий с таким названием уже существует!&#xd;Выберите другое название.</source>
        <translation>A script with this name already exists!&#xd;Choose another name.</translation>
    </message>
    <message>
        <source>Ошибка проверки уникальности online-сценария!&#xd;&#xd;%s</source>
        <translation>Error checking that the online script is unique!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Имя автора должно быть указано обязательно!</source>
        <translation>The author&apos;s name must be given!</translation>
    </message>
    <message>
        <source>Сохранение сценария в базе данных...</source>
        <translation>Saving the script in the database...</translation>
    </message>
    <message>
        <source>Ошибка сохранения online-сценария в базе данных!&#xd;&#xd;%s</source>
        <translation>Error saving the online script in the database!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка публикации online-сценария!&#xd;&#xd;%s</source>
        <translation>Error publishing the online script!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Вы действительно хотите удалить сценарий &quot;%s&quot;?</source>
        <translation>Do you really want to delete the script &quot;%s&quot;?</translation>
    </message>
    <message>
        <source>Удаление сценария из базы данных...</source>
        <translation>Deleting the script from the database...</translation>
    </message>
    <message>
        <source>Ошибка удаления online-сценария из базы данных!&#xd;&#xd;%s</source>
        <translation>Error deleting the online script from the database!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Отправка оценки на сервер...</source>
        <translation>Sending the score to the server...</translation>
    </message>
    <message>
        <source>Ошибка сохранения оценки online-сценария!&#xd;&#xd;%s</source>
        <translation>Error saving the score of the online script!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Загрузка списка оценок...</source>
        <translation>Loading the scores...</translation>
    </message>
    <message>
        <source>Ошибка просмотра оценок online-сценария!&#xd;&#xd;%s</source>
        <translation>Error viewing the scores of the online script!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Ошибка загрузки параметров экспорта из файла &quot;%s&quot;!</source>
        <translation>Error loading the export settings from the file &quot;%s&quot;!</translation>
    </message>
    <message>
        <source>Ошибка сохранения параметров экспорта в файле &quot;%s&quot;!</source>
        <translation>Error saving the export settings to the file &quot;%s&quot;!</translation>
    </message>
    <message>
        <source>Экспорт в Microsoft Excel...</source>
        <translation>Exporting to Microsoft Excel...</translation>
    </message>
    <message>
        <source>Загрузка файла регулярных ставок...</source>
        <translation>Loading the regular stake file...</translation>
    </message>
    <message>
        <source>Ошибка чтения файла регулярных ставок!&#xd;&#xd;%s</source>
        <translation>Error reading the regular stake file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Сохранение файла регулярных ставок...</source>
        <translation>Saving the regular stake file...</translation>
    </message>
    <message>
        <source>Ошибка записи в файл регулярных ставок!&#xd;&#xd;%s</source>
        <translation>Error writing the regular stake file!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Создание регулярных ставок...</source>
        <translation>Making regular stakes...</translation>
    </message>
    <message>
        <source>Удаление регулярных ставок...</source>
        <translation>Deleting regular stakes...</translation>
    </message>
    <message>
        <source>Создание ставок по регулярным табличным ставкам...</source>
        <translation>Making stakes from the regular tables...</translation>
    </message>
    <message>
        <source>Построение системы...</source>
        <translation>Building the system...</translation>
    </message>
    <message>
        <source>Построение системы: %d комбинаций</source>
        <translation>Building the system: %d combinations</translation>
    </message>
    <message>
        <source>Для %d чисел уже сохранена система &quot;%s&quot;.&#xd;&#xd;Заменить её построенной?</source>
        <translation>For %d numbers the system &quot;%s&quot; is already saved.&#xd;&#xd;Replace it with the one just built?</translation>
    </message>
    <message>
        <source>Для %d чисел сохранена система &quot;%s&quot;, построенная на этом компьютере.&#xd;&#xd;Заменить её загружаемой системой &quot;%s&quot;?</source>
        <translation>For %d numbers the system &quot;%s&quot; built on this computer is kept.&#xd;&#xd;Replace it with the system &quot;%s&quot; being downloaded?</translation>
    </message>
    <message>
        <source>Сохранение системы...</source>
        <translation>Saving the system...</translation>
    </message>
    <message>
        <source>Ошибка сохранения системы!&#xd;&#xd;%s</source>
        <translation>Error saving the system!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>В списке комбинаций %d чисел, а система построена для %d чисел!</source>
        <translation>The combination list holds %d numbers, but the system was built for %d numbers!</translation>
    </message>
    <message>
        <source>Файлы данных: %s (каталог пользователя; каталог программы: %s)</source>
        <translation>Data files: %s (user folder; program folder: %s)</translation>
    </message>
    <message>
        <source>Файлы данных: %s (каталог программы)</source>
        <translation>Data files: %s (program folder)</translation>
    </message>
    <message>
        <source>Программа установлена из пакета: ее обновляет менеджер пакетов системы (например, apt).</source>
        <translation>The program was installed from a package: the system&apos;s package manager (for example, apt) updates it.</translation>
    </message>
    <message>
        <source>Не задан адрес обновлений программы!&#xd;&#xd;В файле %s.ini это параметр UpdateSite= раздела [GLOBAL].</source>
        <translation>The address of program updates is not set!&#xd;&#xd;In the file %s.ini it is the key UpdateSite= of section [GLOBAL].</translation>
    </message>
    <message>
        <source>Регуляры</source>
        <translation>Regular tables</translation>
    </message>
    <message>
        <source>Системы</source>
        <translation>Systems</translation>
    </message>
    <message>
        <source> Пользователь каталога </source>
        <translation> Catalogue user </translation>
    </message>
    <message>
        <source>Имя:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Поиск обновлений</source>
        <translation>Check for updates</translation>
    </message>
    <message>
        <source>Искать обновления программы через интернет</source>
        <translation>Look for program updates on the Internet</translation>
    </message>
    <message>
        <source>Автоматическое обновление</source>
        <translation>Automatic update</translation>
    </message>
    <message>
        <source>Автоматическое обновление программы при запуске</source>
        <translation>Update the program automatically when it starts</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Версия программы и каталог ее файлов</source>
        <translation>Program version and the folder of its files</translation>
    </message>
    <message>
        <source>Vetrilo_4d47, версия %s&#xd;&#xd;%s</source>
        <translation>Vetrilo_4d47, version %s&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>В архиве тиражей записей с недопустимыми номерами (вне 1..%d, повторы, бонус вне 1..%d): %d. Они учитываются как есть.</source>
        <translation>Draw archive records with invalid numbers (outside 1..%d, repeats, bonus outside 1..%d): %d. They are counted as they are.</translation>
    </message>
    <message>
        <source>не является обычным файлом</source>
        <translation>is not a regular file</translation>
    </message>
    <message>
        <source>Не указан адрес сервера каталога (CatalogSite)</source>
        <translation>The catalogue server address is not set (CatalogSite)</translation>
    </message>
    <message>
        <source>Неверный формат ответа сервера</source>
        <translation>Invalid format of the server&apos;s answer</translation>
    </message>
    <message>
        <source>Сервер отказал в выполнении запроса</source>
        <translation>The server refused the request</translation>
    </message>
    <message>
        <source>Скрытые</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>Все, включая скрытые</source>
        <translation>All, hidden included</translation>
    </message>
    <message>
        <source>Все, кроме скрытых (по умолчанию)</source>
        <translation>All but hidden (default)</translation>
    </message>
    <message>
        <source>Только мои</source>
        <translation>Mine only</translation>
    </message>
    <message>
        <source>Только публичные</source>
        <translation>Public only</translation>
    </message>
    <message>
        <source>С моими оценками</source>
        <translation>With my scores</translation>
    </message>
    <message>
        <source>Без моих оценок</source>
        <translation>Without my scores</translation>
    </message>
    <message>
        <source>Новые (24 часа с момента публикации)</source>
        <translation>New (24 hours since publication)</translation>
    </message>
    <message>
        <source>Сервер не прислал текст сценария</source>
        <translation>The server sent no script text</translation>
    </message>
    <message>
        <source>Сервер не сохранил сценарий</source>
        <translation>The server did not save the script</translation>
    </message>
    <message>
        <source>Сервер не удалил сценарий</source>
        <translation>The server did not delete the script</translation>
    </message>
    <message>
        <source>Код возврата: %d</source>
        <translation>Return code: %d</translation>
    </message>
    <message>
        <source>Английский</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Украинский</source>
        <translation>Ukrainian</translation>
    </message>
    <message>
        <source>Тип</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Название</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Автор</source>
        <translation>Author</translation>
    </message>
    <message>
        <source>Программа</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Версия</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Язык</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Создан</source>
        <translation>Created</translation>
    </message>
    <message>
        <source>Оценок</source>
        <translation>Scores</translation>
    </message>
    <message>
        <source>Ваша оценка</source>
        <translation>Your score</translation>
    </message>
    <message>
        <source>Загрузок</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <source>Скрытый</source>
        <translation>Hidden</translation>
    </message>
    <message>
        <source>Мой</source>
        <translation>Mine</translation>
    </message>
    <message>
        <source>Общий</source>
        <translation>Shared</translation>
    </message>
    <message>
        <source>Универсальный</source>
        <translation>Universal</translation>
    </message>
    <message>
        <source>Имя</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Оценка</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Дата</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Экспорт рейтинга в Microsoft Excel</source>
        <translation>Export the rating to Microsoft Excel</translation>
    </message>
    <message>
        <source>Публичный</source>
        <translation>Public</translation>
    </message>
    <message>
        <source>Частный</source>
        <translation>Private</translation>
    </message>
    <message>
        <source>Свойства сценария</source>
        <translation>Script properties</translation>
    </message>
    <message>
        <source>Название сценария</source>
        <translation>Script name</translation>
    </message>
    <message>
        <source>Автор сценария</source>
        <translation>Script author</translation>
    </message>
    <message>
        <source>Язык сценария</source>
        <translation>Script language</translation>
    </message>
    <message>
        <source> Применяемость </source>
        <translation> Applicability </translation>
    </message>
    <message>
        <source>В каком приложении можно использовать данный сценарий</source>
        <translation>Which application can use this script</translation>
    </message>
    <message>
        <source>Только в &quot;%s&quot;</source>
        <translation>Only in &quot;%s&quot;</translation>
    </message>
    <message>
        <source>В любом приложении Zorvat</source>
        <translation>In any Zorvat application</translation>
    </message>
    <message>
        <source> Доступность </source>
        <translation> Availability </translation>
    </message>
    <message>
        <source>Разрешаете ли Вы использовать данный сценарий другим членам сообщества</source>
        <translation>Do you let other members of the community use this script</translation>
    </message>
    <message>
        <source>Сценарий виден всем пользователям</source>
        <translation>The script is visible to every user</translation>
    </message>
    <message>
        <source>Сценарий виден только мне</source>
        <translation>The script is visible to me only</translation>
    </message>
    <message>
        <source>Название:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Автор:</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>Язык:</source>
        <translation>Language:</translation>
    </message>
    <message>
        <source>Описание:</source>
        <translation>Description:</translation>
    </message>
    <message>
        <source>Отправить сценарий на сервер</source>
        <translation>Send the script to the server</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
    <message>
        <source>Вы можете оставить свой комментарий:</source>
        <translation>You may leave a comment:</translation>
    </message>
    <message>
        <source>Оценки пользователей</source>
        <translation>User scores</translation>
    </message>
    <message>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Фильтр сценариев</source>
        <translation>Script filter</translation>
    </message>
    <message>
        <source>Online каталог сценариев</source>
        <translation>Online script catalogue</translation>
    </message>
    <message>
        <source>Перезагрузить каталог с сервера</source>
        <translation>Reload the catalogue from the server</translation>
    </message>
    <message>
        <source>Скачать из каталога</source>
        <translation>Download from catalogue</translation>
    </message>
    <message>
        <source>Скачать выбранный сценарий из online-каталога</source>
        <translation>Download the chosen script from the online catalogue</translation>
    </message>
    <message>
        <source>Опубликовать</source>
        <translation>Publish</translation>
    </message>
    <message>
        <source>Опубликовать текущий сценарий в online-каталоге</source>
        <translation>Publish the current script in the online catalogue</translation>
    </message>
    <message>
        <source>Заменить выделенный сценарий в online-каталоге текущим</source>
        <translation>Replace the selected script in the online catalogue with the current one</translation>
    </message>
    <message>
        <source>Удалить выделенный сценарий из online-каталога</source>
        <translation>Delete the selected script from the online catalogue</translation>
    </message>
    <message>
        <source>Просмотр сведений о выделенном сценарии</source>
        <translation>Show the details of the selected script</translation>
    </message>
    <message>
        <source>Просмотр оценок</source>
        <translation>View scores</translation>
    </message>
    <message>
        <source>Просмотр оценок сценария пользователями</source>
        <translation>View the scores users gave the script</translation>
    </message>
    <message>
        <source>Удалить оценку</source>
        <translation>Delete score</translation>
    </message>
    <message>
        <source>Удалить Вашу оценку</source>
        <translation>Delete your score</translation>
    </message>
    <message>
        <source>[ 1 ] - Бесполезно</source>
        <translation>[ 1 ] - Useless</translation>
    </message>
    <message>
        <source>[ 2 ] - Плохо</source>
        <translation>[ 2 ] - Poor</translation>
    </message>
    <message>
        <source>[ 3 ] - Удовлетворительно</source>
        <translation>[ 3 ] - Fair</translation>
    </message>
    <message>
        <source>[ 4 ] - Хорошо</source>
        <translation>[ 4 ] - Good</translation>
    </message>
    <message>
        <source>[ 5 ] - Отлично</source>
        <translation>[ 5 ] - Excellent</translation>
    </message>
    <message>
        <source>Установить оценку &quot;%s&quot;</source>
        <translation>Give the score &quot;%s&quot;</translation>
    </message>
    <message>
        <source>Скрыть сценарий</source>
        <translation>Hide script</translation>
    </message>
    <message>
        <source>Исключить сценарий из Вашего списка</source>
        <translation>Remove the script from your list</translation>
    </message>
    <message>
        <source>по правому краю</source>
        <translation>right</translation>
    </message>
    <message>
        <source>по центру</source>
        <translation>centre</translation>
    </message>
    <message>
        <source>по левому краю</source>
        <translation>left</translation>
    </message>
    <message>
        <source>Окно индикатора уже создано!</source>
        <translation>The progress window already exists!</translation>
    </message>
    <message>
        <source>Файл &quot;%s&quot; не найден!</source>
        <translation>File &quot;%s&quot; not found!</translation>
    </message>
    <message>
        <source>Неверная контрольная сумма скачанного файла.</source>
        <translation>Wrong checksum of the downloaded file.</translation>
    </message>
    <message>
        <source>%s &quot;%s&quot; выходит за пределы своего каталога!</source>
        <translation>%s &quot;%s&quot; lies outside its folder!</translation>
    </message>
    <message>
        <source>Некорректный адрес &quot;%s&quot;!</source>
        <translation>Invalid address &quot;%s&quot;!</translation>
    </message>
    <message>
        <source>Адрес &quot;%s&quot; не защищен: обновления загружаются только по протоколу https://</source>
        <translation>The address &quot;%s&quot; is not secure: updates are downloaded over https:// only</translation>
    </message>
    <message>
        <source>Ожидание завершения процесса (файла) &quot;%s&quot; прервано в связи с превышением времени ожидания!</source>
        <translation>Waiting for the process (file) &quot;%s&quot; to end was stopped: the time limit ran out!</translation>
    </message>
    <message>
        <source>&lt; Описание обновления не доступно &gt;</source>
        <translation>&lt; No update description available &gt;</translation>
    </message>
    <message>
        <source>Поиск доступных обновлений...</source>
        <translation>Looking for available updates...</translation>
    </message>
    <message>
        <source>Ошибка поиска обновлений!&#xd;&#xd;%s</source>
        <translation>Error looking for updates!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Обновлений не найдено!</source>
        <translation>No updates found!</translation>
    </message>
    <message>
        <source>Ошибка системы самообновления программы!&#xd;&#xd;%s</source>
        <translation>Error in the program&apos;s self-update!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Загрузка и установка обновления &quot;%s&quot;...</source>
        <translation>Downloading and installing the update &quot;%s&quot;...</translation>
    </message>
    <message>
        <source>Ошибка установки обновления!&#xd;&#xd;%s</source>
        <translation>Error installing the update!&#xd;&#xd;%s</translation>
    </message>
    <message>
        <source>Установка обновления &quot;%s&quot; успешно выполнена.&#xd;&#xd;Для завершения установки необходимо перезапустить программу!</source>
        <translation>The update &quot;%s&quot; was installed.&#xd;&#xd;Restart the program to finish the installation!</translation>
    </message>
    <message>
        <source>Копирование &quot;%s&quot; в &quot;%s&quot;</source>
        <translation>Copying &quot;%s&quot; to &quot;%s&quot;</translation>
    </message>
    <message>
        <source>&quot;%s&quot; является ссылкой!</source>
        <translation>&quot;%s&quot; is a link!</translation>
    </message>
    <message>
        <source>Параметры поля</source>
        <translation>Field settings</translation>
    </message>
    <message>
        <source>Заголовок столбца:</source>
        <translation>Column heading:</translation>
    </message>
    <message>
        <source>Выравнивание данных:</source>
        <translation>Data alignment:</translation>
    </message>
    <message>
        <source>Ширина:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <source>Файлы параметров экспорта (*.exp)</source>
        <translation>Export settings files (*.exp)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Загрузить из файла</source>
        <translation>Load from file</translation>
    </message>
    <message>
        <source>Сохранить в файле</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>Добавить строку с датой и временем формирования отчета (экспорта).</source>
        <translation>Add a line with the date and time the report (export) was made.</translation>
    </message>
    <message>
        <source>Не устанавливать</source>
        <translation>Do not set</translation>
    </message>
    <message>
        <source>Книжная</source>
        <translation>Portrait</translation>
    </message>
    <message>
        <source>Альбомная</source>
        <translation>Landscape</translation>
    </message>
    <message>
        <source>Наименование отчета:</source>
        <translation>Report title:</translation>
    </message>
    <message>
        <source>Дополнительные сведения:</source>
        <translation>Additional notes:</translation>
    </message>
    <message>
        <source>Наименование листа:</source>
        <translation>Sheet name:</translation>
    </message>
    <message>
        <source>Базовый размер шрифта:</source>
        <translation>Base font size:</translation>
    </message>
    <message>
        <source>Ориентация:</source>
        <translation>Orientation:</translation>
    </message>
    <message>
        <source>Заголовок столбца</source>
        <translation>Column heading</translation>
    </message>
    <message>
        <source>Выравнивание</source>
        <translation>Alignment</translation>
    </message>
    <message>
        <source>Ширина</source>
        <translation>Width</translation>
    </message>
    <message>
        <source>Вверх</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>Вниз</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>Свойства</source>
        <translation>Properties</translation>
    </message>
    <message>
        <source>Перечень экспортируемых полей</source>
        <translation>Fields to export</translation>
    </message>
    <message>
        <source>Экспортировать все отображенные записи</source>
        <translation>Export every record shown</translation>
    </message>
    <message>
        <source>Экспортировать выделенные записи</source>
        <translation>Export the selected records</translation>
    </message>
    <message>
        <source>Число строк:</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <source>Сохранить параметры экспорта в файле конфигурации</source>
        <translation>Save the export settings in the configuration file</translation>
    </message>
    <message>
        <source>Найдена новая версия программы</source>
        <translation>A new version of the program was found</translation>
    </message>
    <message>
        <source>Текущая версия программы:</source>
        <translation>Current program version:</translation>
    </message>
    <message>
        <source>Новая версия программы:</source>
        <translation>New program version:</translation>
    </message>
    <message>
        <source>Описание версии:</source>
        <translation>Version description:</translation>
    </message>
    <message>
        <source>Установить</source>
        <translation>Install</translation>
    </message>
    <message>
        <source>Установить это обновление</source>
        <translation>Install this update</translation>
    </message>
    <message>
        <source>Отказаться от обновления</source>
        <translation>Decline the update</translation>
    </message>
    <message>
        <source>Книги Microsoft Excel (*.xlsx)</source>
        <translation>Microsoft Excel workbooks (*.xlsx)</translation>
    </message>
    <message>
        <source>Отчет сохранен в файле &quot;%s&quot;.</source>
        <translation>The report was saved to the file &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Протокол сценария сохранен в файле &quot;%s&quot;.</source>
        <translation>The script log is saved in the file &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Ошибка распаковки пакета обновления &quot;%s&quot;: %s</source>
        <translation>Error unpacking the update package &quot;%s&quot;: %s</translation>
    </message>
    <message>
        <source>Пакет обновления &quot;%s&quot; больше %d байт!</source>
        <translation>The update package &quot;%s&quot; is larger than %d bytes!</translation>
    </message>
    <message>
        <source>Файл &quot;%s&quot; больше %d байт!</source>
        <translation>The file &quot;%s&quot; is larger than %d bytes!</translation>
    </message>
    <message>
        <source>Элемент пакета обновления</source>
        <translation>Update package item</translation>
    </message>
    <message>
        <source>Элемент пакета обновления &quot;%s&quot; является ссылкой!</source>
        <translation>Update package item &quot;%s&quot; is a link!</translation>
    </message>
    <message>
        <source>Элемент пакета обновления &quot;%s&quot; не является файлом!</source>
        <translation>Update package item &quot;%s&quot; is not a file!</translation>
    </message>
    <message>
        <source>Отчет построен: %s.</source>
        <translation>Report made: %s.</translation>
    </message>
    <message>
        <source>Создание рабочей книги...</source>
        <translation>Making the workbook...</translation>
    </message>
    <message>
        <source>Создание листа...</source>
        <translation>Making the sheet...</translation>
    </message>
    <message>
        <source>Форматирование листа...</source>
        <translation>Formatting the sheet...</translation>
    </message>
    <message>
        <source>Подготовка данных для экспорта...</source>
        <translation>Preparing the data for export...</translation>
    </message>
    <message>
        <source>Передача данных в Microsoft Excel...</source>
        <translation>Passing the data to Microsoft Excel...</translation>
    </message>
    <message>
        <source>Вызов Microsoft Excel...</source>
        <translation>Calling Microsoft Excel...</translation>
    </message>
    <message>
        <source>Ошибка экспорта данных в Microsoft Excel!&#xd;%s</source>
        <translation>Error exporting data to Microsoft Excel!&#xd;%s</translation>
    </message>
    <message>
        <source>Размер файла %d байт не кратен размеру записи (%d байт)</source>
        <translation>The file size of %d bytes is not a multiple of the record size (%d bytes)</translation>
    </message>
    <message>
        <source>Стартовая комбинация</source>
        <translation>Start combination</translation>
    </message>
    <message>
        <source>Шаг</source>
        <translation>Step</translation>
    </message>
    <message>
        <source>Текущая комбинация</source>
        <translation>Current combination</translation>
    </message>
    <message>
        <source>Запись с таким комментарией уже присутствует в списке!&#xd;Выберите другой комментарий.</source>
        <translation>A record with this comment is already in the list!&#xd;Choose another comment.</translation>
    </message>
    <message>
        <source>{...Выделенные комбинации...}</source>
        <translation>{...Selected combinations...}</translation>
    </message>
    <message>
        <source>Сервер не прислал комбинаций системы</source>
        <translation>The server sent no combinations of the system</translation>
    </message>
    <message>
        <source>Сервер не сохранил систему</source>
        <translation>The server did not save the system</translation>
    </message>
    <message>
        <source>Сервер не удалил систему</source>
        <translation>The server did not delete the system</translation>
    </message>
    <message>
        <source>Количество скачанных комбинаций ( %d ) отличается от ожидаемого значения ( %d )</source>
        <translation>The number of downloaded combinations ( %d ) differs from the expected one ( %d )</translation>
    </message>
    <message>
        <source>Числа</source>
        <translation>Numbers</translation>
    </message>
    <message>
        <source>Блок</source>
        <translation>Block</translation>
    </message>
    <message>
        <source>Дата создания</source>
        <translation>Date created</translation>
    </message>
    <message>
        <source>Статус</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Ссылка</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Загружена</source>
        <translation>Downloaded</translation>
    </message>
    <message>
        <source>Название системы должно быть указано обязательно!</source>
        <translation>The system name must be given!</translation>
    </message>
    <message>
        <source>Указано недопустмое количество используемых чисел!</source>
        <translation>The number of numbers used is not valid!</translation>
    </message>
    <message>
        <source>Указан недопустмый размер блока!</source>
        <translation>The block size is not valid!</translation>
    </message>
    <message>
        <source>Описание системы должно быть указано обязательно!</source>
        <translation>The system description must be given!</translation>
    </message>
    <message>
        <source>Содержимое системы должно быть указано обязательно!</source>
        <translation>The system contents must be given!</translation>
    </message>
    <message>
        <source>Количество чисел системы должно быть от %d до %d</source>
        <translation>The number of numbers of the system must be from %d to %d</translation>
    </message>
    <message>
        <source>Размер блока должен быть от 0 до %d</source>
        <translation>The block size must be from 0 to %d</translation>
    </message>
    <message>
        <source>Позиция %d вне диапазона 1..%d</source>
        <translation>Position %d is outside 1..%d</translation>
    </message>
    <message>
        <source>Построенная система не выполняет своё условие</source>
        <translation>The system built does not meet its condition</translation>
    </message>
    <message>
        <source>Построить систему</source>
        <translation>Build system</translation>
    </message>
    <message>
        <source>Количество используемых чисел</source>
        <translation>Number of numbers used</translation>
    </message>
    <message>
        <source>Сколько чисел тиража система гарантирует в одной комбинации, когда все 4 числа тиража среди выбранных</source>
        <translation>How many draw numbers the system guarantees in one combination when all 4 draw numbers are among the chosen ones</translation>
    </message>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Построить</source>
        <translation>Build</translation>
    </message>
    <message>
        <source>Сохранить в системы</source>
        <translation>Save to systems</translation>
    </message>
    <message>
        <source>Сохранить систему в папке &quot;Systems&quot; для системной игры</source>
        <translation>Save the system in the &quot;Systems&quot; folder for system play</translation>
    </message>
    <message>
        <source>Сделать ставки</source>
        <translation>Make stakes</translation>
    </message>
    <message>
        <source>Ставки по всем комбинациям системы в числах списка комбинаций</source>
        <translation>Stakes on every combination of the system in the numbers of the combination list</translation>
    </message>
    <message>
        <source>Числа:</source>
        <translation>Numbers:</translation>
    </message>
    <message>
        <source>Блок:</source>
        <translation>Block:</translation>
    </message>
    <message>
        <source>Время не более:</source>
        <translation>Time limit:</translation>
    </message>
    <message>
        <source>Найдено: %d комбинаций</source>
        <translation>Found: %d combinations</translation>
    </message>
    <message>
        <source>Система для %d чисел, блок %d: %d комбинаций; проверено, условие выполняется для всех %d тиражей.</source>
        <translation>System for %d numbers, block %d: %d combinations; checked, the condition holds for all %d draws.</translation>
    </message>
    <message>
        <source>Сохранена как &quot;%s&quot;.</source>
        <translation>Saved as &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Экспорт ставок в Microsoft Excel</source>
        <translation>Export the stakes to Microsoft Excel</translation>
    </message>
    <message>
        <source>Название системы</source>
        <translation>System name</translation>
    </message>
    <message>
        <source>Описание системы</source>
        <translation>System description</translation>
    </message>
    <message>
        <source>Автор системы</source>
        <translation>System author</translation>
    </message>
    <message>
        <source>Ссылка на интернет-ресурс</source>
        <translation>Link to a web resource</translation>
    </message>
    <message>
        <source>Открыть ссылку в браузере</source>
        <translation>Open the link in the browser</translation>
    </message>
    <message>
        <source>Список комбинаций системы</source>
        <translation>Combination list of the system</translation>
    </message>
    <message>
        <source>Копировать в буфер обмена</source>
        <translation>Copy to the clipboard</translation>
    </message>
    <message>
        <source>Вставить из буфера обмена</source>
        <translation>Paste from the clipboard</translation>
    </message>
    <message>
        <source>Время создания системы</source>
        <translation>Time the system was made</translation>
    </message>
    <message>
        <source>Количество комбинаций в списке</source>
        <translation>Number of combinations in the list</translation>
    </message>
    <message>
        <source>Длина одной комбинации</source>
        <translation>Length of one combination</translation>
    </message>
    <message>
        <source>Длина блока</source>
        <translation>Block length</translation>
    </message>
    <message>
        <source>Количество загрузок пользователями</source>
        <translation>Number of downloads by users</translation>
    </message>
    <message>
        <source>Время последней загрузки</source>
        <translation>Time of the last download</translation>
    </message>
    <message>
        <source>Наименование:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Ссылка:</source>
        <translation>Link:</translation>
    </message>
    <message>
        <source>Список комбинаций:</source>
        <translation>Combination list:</translation>
    </message>
    <message>
        <source>Создана:</source>
        <translation>Created:</translation>
    </message>
    <message>
        <source>Комбинаций:</source>
        <translation>Combinations:</translation>
    </message>
    <message>
        <source>Длина:</source>
        <translation>Length:</translation>
    </message>
    <message>
        <source>Загрузок:</source>
        <translation>Downloads:</translation>
    </message>
    <message>
        <source>Последняя:</source>
        <translation>Last:</translation>
    </message>
    <message>
        <source>Системная игра</source>
        <translation>System play</translation>
    </message>
    <message>
        <source>Включить или выключить список систем</source>
        <translation>Turn the system list on or off</translation>
    </message>
    <message>
        <source>Перезагрузить список с сервера</source>
        <translation>Reload the list from the server</translation>
    </message>
    <message>
        <source>Загрузить</source>
        <translation>Download</translation>
    </message>
    <message>
        <source>Загрузить выделенные системы</source>
        <translation>Download the selected systems</translation>
    </message>
    <message>
        <source>Добавить свою систему в список</source>
        <translation>Add your own system to the list</translation>
    </message>
    <message>
        <source>Просмотр / редактирование свойств системы</source>
        <translation>View / edit the system properties</translation>
    </message>
    <message>
        <source>Удалить свои системы из списка</source>
        <translation>Delete your own systems from the list</translation>
    </message>
    <message>
        <source>Cистемная игра по списку системы</source>
        <translation>System play by the system list</translation>
    </message>
    <message>
        <source>Системная игра по всем комбинациям выбранной системы (даже если их нет в списке комбинаций)</source>
        <translation>System play on every combination of the chosen system (even those not in the combination list)</translation>
    </message>
    <message>
        <source>Cистемная игра по списку комбинаций</source>
        <translation>System play by the combination list</translation>
    </message>
    <message>
        <source>Системная игра только по комбинациям, которые есть и в системе и в списке комбинаций</source>
        <translation>System play only on the combinations that are both in the system and in the combination list</translation>
    </message>
    <message>
        <source>Добавление регулярной ставки</source>
        <translation>Add regular stake</translation>
    </message>
    <message>
        <source>Использовать постоянную стартовую комбинацию:</source>
        <translation>Use a fixed start combination:</translation>
    </message>
    <message>
        <source>Использовать данные предыдущего тиража</source>
        <translation>Use the numbers of the previous draw</translation>
    </message>
    <message>
        <source>Шаг изменения элементов комбинации</source>
        <translation>Step by which the combination numbers change</translation>
    </message>
    <message>
        <source>Шаг:</source>
        <translation>Step:</translation>
    </message>
    <message>
        <source>Количество тестов:</source>
        <translation>Number of tests:</translation>
    </message>
    <message>
        <source>Вкладка &quot;Регуляры&quot;</source>
        <translation>Tab &quot;Regular tables&quot;</translation>
    </message>
    <message>
        <source>Скрыть / показать вкладку &quot;Регуляры&quot;</source>
        <translation>Hide / show the &quot;Regular tables&quot; tab</translation>
    </message>
    <message>
        <source>Построить систему...</source>
        <translation>Build system...</translation>
    </message>
    <message>
        <source>Построить систему с гарантией блока для системной игры</source>
        <translation>Build a system with a block guarantee for system play</translation>
    </message>
    <message>
        <source>Добавить регулярную ставку</source>
        <translation>Add regular stake</translation>
    </message>
    <message>
        <source>Удалить регулярную ставку</source>
        <translation>Delete regular stake</translation>
    </message>
    <message>
        <source>Сделать ставку по регуляру</source>
        <translation>Stake from regular table</translation>
    </message>
    <message>
        <source>Тест регуляров</source>
        <translation>Test regular tables</translation>
    </message>
    <message>
        <source>Регулярная ставка</source>
        <translation>Regular stake</translation>
    </message>
    <message>
        <source>Экспорт карты тиражей в Microsoft Excel</source>
        <translation>Export the draw card to Microsoft Excel</translation>
    </message>
    <message>
        <source>Экспорт схемы в Microsoft Excel</source>
        <translation>Export the layout to Microsoft Excel</translation>
    </message>
    <message>
        <source>Экспорт статистики в Microsoft Excel</source>
        <translation>Export the statistics to Microsoft Excel</translation>
    </message>
    <message>
        <source>В файле &quot;%s&quot; комбинаций с недопустимыми числами (вне 1..%d или повторы): %d. Они загружены как есть.</source>
        <translation>The file &quot;%s&quot; holds combinations with invalid numbers (outside 1..%d or repeats): %d. They were loaded as they are.</translation>
    </message>
    <message>
        <source>Не указано ни одного числа от 1 до %d.</source>
        <translation>No number from 1 to %d is given.</translation>
    </message>
    <message>
        <source>Профит рейтинга &quot;%s&quot; не помещается в запись рейтинга и сохранен равным %s.</source>
        <translation>The profit of rating &quot;%s&quot; does not fit in a rating record and is stored as %s.</translation>
    </message>
    <message>
        <source>Последняя запись файла рейтинга &quot;%s&quot; была записана не полностью и удалена; остальные записи сохранены.&#xd;&#xd;Прежний файл сохранен как &quot;%s&quot;.</source>
        <translation>The last record of the ratings file &quot;%s&quot; was not written completely and has been removed; the other records are kept.&#xd;&#xd;The previous file was saved as &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Файл рейтинга &quot;%s&quot; поврежден - рейтинг будет пуст. Его можно пересчитать по ставкам (&quot;Обновить рейтинг&quot;).&#xd;&#xd;Прежний файл сохранен как &quot;%s&quot;.</source>
        <translation>The ratings file &quot;%s&quot; is damaged - the ratings will be empty. They can be recomputed from the stakes (&quot;Update rating&quot;).&#xd;&#xd;The previous file was saved as &quot;%s&quot;.</translation>
    </message>
    <message>
        <source>Число %d не может быть в ставке: числа ставки лежат в 1..%d.</source>
        <translation>The number %d cannot be in a stake: the numbers of a stake lie in 1..%d.</translation>
    </message>
    <message>
        <source>Регулярная ставка &quot;%s&quot; дает комбинацию %s: числа ставки должны быть разными и лежать в 1..%d.</source>
        <translation>The regular stake &quot;%s&quot; gives the combination %s: the numbers of a stake must be different and lie in 1..%d.</translation>
    </message>
    <message>
        <source>В файле регулярных ставок &quot;%s&quot; записей, которые не могут быть регулярной ставкой (числа вне 1..%d или повторы, шаг вне -%d..%d): %d. Они не загружены.&#xd;&#xd;Прежний файл сохранен как &quot;%s&quot;.</source>
        <translation>The regular stakes file &quot;%s&quot; has records that cannot be a regular stake (numbers outside 1..%d or repeated, a step outside -%d..%d): %d. They were not loaded.&#xd;&#xd;The previous file was saved as &quot;%s&quot;.</translation>
    </message>
</context>
</TS>
